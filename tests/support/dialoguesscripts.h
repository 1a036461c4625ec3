#pragma once
#include "platform/dialogues.h"
#include <QList>
#include <QString>

// Dialogues for tests: records every message, answers from a queue, and fails
// the test on a dialog nobody expected.
class DialoguesScripts : public Dialogues {
public:
  struct Message { QString texte; int style; QString titre; };

  ~DialoguesScripts() override;

  // Queue an answer for the next message box; the text is checked when not
  // empty, the style when >= 0, the title when not null.
  DialoguesScripts &repondre(int reponse, const QString &texte = {}, int style = -1, const QString &titre = QString()) {
    return m_reponses.append({reponse, {texte, style, titre}}), *this;
  }
  // The next input box's answer (a null text means Cancel), the next file dialog's (empty means Cancel).
  DialoguesScripts &saisir(const QString &texte) { return m_saisies.append(texte), *this; }
  DialoguesScripts &choisirFichier(const QString &chemin) { return m_fichiers.append(chemin), *this; }

  int message(const QString &texte, int style, const QString &titre) override;
  bool saisie(const QString &question, const QString &titre, QString &reponse, const QString &defaut,
              const QStringList &propositions) override;
  QString ouvrirFichier(const QString &titre, const QString &filtre, const QString &nomInitial,
                        const QString &dossier) override;
  bool configurerImprimante() override;

  QList<Message> messages; // every message box shown

private:
  QList<std::pair<int, Message>> m_reponses;
  QList<QString> m_saisies, m_fichiers;
};
