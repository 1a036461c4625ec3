#include "support/dialoguesscripts.h"
#include <gtest/gtest.h>

// Every test checks that the dialogs it scripted were all shown.
DialoguesScripts::~DialoguesScripts() {
  EXPECT_EQ(m_reponses.size() + m_saisies.size() + m_fichiers.size(), 0) << "scripted answers left unused";
}

int DialoguesScripts::message(const QString &texte, int style, const QString &titre) {
  messages.append({texte, style, titre});
  if (m_reponses.isEmpty()) {
    ADD_FAILURE() << "unexpected message box: " << texte.toStdString() << " (style " << style << ", title "
                  << titre.toStdString() << ")";
    return (style & 0x0F) == BoutonsOuiNon ? Non : ((style & 0x0F) == 0 ? OK : Annuler);
  }
  const auto [reponse, attendu] = m_reponses.takeFirst();
  if (!attendu.texte.isEmpty())
    EXPECT_EQ(texte.toStdString(), attendu.texte.toStdString());
  if (attendu.style >= 0)
    EXPECT_EQ(style, attendu.style) << texte.toStdString();
  if (!attendu.titre.isNull())
    EXPECT_EQ(titre.toStdString(), attendu.titre.toStdString()) << texte.toStdString();
  return reponse;
}

bool DialoguesScripts::saisie(const QString &question, const QString &, QString &reponse, const QString &,
                              const QStringList &) {
  if (m_saisies.isEmpty())
    ADD_FAILURE() << "unexpected input box: " << question.toStdString();
  reponse = m_saisies.isEmpty() ? QString() : m_saisies.takeFirst();
  return !reponse.isNull();
}

QString DialoguesScripts::ouvrirFichier(const QString &titre, const QString &, const QString &, const QString &) {
  if (m_fichiers.isEmpty())
    ADD_FAILURE() << "unexpected file dialog: " << titre.toStdString();
  return m_fichiers.isEmpty() ? QString() : m_fichiers.takeFirst();
}

bool DialoguesScripts::configurerImprimante() {
  ADD_FAILURE() << "unexpected printer set-up dialog";
  return false;
}
