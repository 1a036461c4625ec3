#pragma once
#include "platform/dialogues.h"
#include <QList>
#include <QString>
#include <functional>

// Dialogues for tests: records every message, answers from a queue, and fails
// the test on a dialog nobody expected.
class DialoguesScripts : public Dialogues {
public:
  struct Message {
    QString texte;
    int style;
    QString titre;
  };
  struct Attendu {
    int reponse = 1;
    QString texte; // checked when not empty
    int style = -1;  // checked when >= 0
    QString titre; // checked when not null
    std::function<void()> pendant; // runs while the box is "open"
  };

  ~DialoguesScripts() override;

  // Queue an answer for the next message box.
  DialoguesScripts &repondre(int reponse, const QString &texte = {}, int style = -1,
                             const QString &titre = QString());
  DialoguesScripts &repondre(const Attendu &a);
  // Queue an answer for the next input box; a null text means Cancel.
  DialoguesScripts &saisir(const QString &texte);
  // Queue a path for the next file dialog; empty means Cancel.
  DialoguesScripts &choisirFichier(const QString &chemin);
  DialoguesScripts &configurer(bool accepte);

  int message(const QString &texte, int style, const QString &titre) override;
  bool saisie(const QString &question, const QString &titre, QString &reponse,
              const QString &defaut) override;
  QString ouvrirFichier(const QString &titre, const QString &filtre, const QString &nomInitial,
                        const QString &dossier) override;
  bool configurerImprimante() override;

  QList<Message> messages;         // every message box shown
  QList<QString> questionsSaisie;  // every input box question
  QList<QString> titresFichier;    // every file dialog title
  int restants() const;            // answers not consumed yet
  void verifierTousConsommes();    // fails the test when answers are left (run at the end too)

private:
  QList<Attendu> m_reponses;
  QList<QString> m_saisies;
  QList<QString> m_fichiers;
  QList<bool> m_configs;
};
