#pragma once
#include "platform/dialogues.h"
#include <QList>
#include <QString>

// Dialogues for tests: records every message, answers from a queue, and fails
// the test on a dialog nobody expected.
class DialoguesScripts : public Dialogues {
public:
  struct Message {
    QString texte;
    int style;
    QString titre;
  };

  ~DialoguesScripts() override;

  // Queue an answer for the next message box; the text is checked when not
  // empty, the style when >= 0, the title when not null.
  DialoguesScripts &repondre(int reponse, const QString &texte = {}, int style = -1, const QString &titre = QString());
  // Queue an answer for the next input box; a null text means Cancel.
  DialoguesScripts &saisir(const QString &texte);
  // Queue a path for the next file dialog; empty means Cancel.
  DialoguesScripts &choisirFichier(const QString &chemin);

  int message(const QString &texte, int style, const QString &titre) override;
  bool saisie(const QString &question, const QString &titre, QString &reponse, const QString &defaut,
              const QStringList &propositions) override;
  QStringList propositions; // offered by the last input box
  QString ouvrirFichier(const QString &titre, const QString &filtre, const QString &nomInitial,
                        const QString &dossier) override;
  bool configurerImprimante() override;

  QList<Message> messages;         // every message box shown
  QList<QString> questionsSaisie;  // every input box question

private:
  QList<std::pair<int, Message>> m_reponses;
  QList<QString> m_saisies;
  QList<QString> m_fichiers;
};
