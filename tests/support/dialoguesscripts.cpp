#include "support/dialoguesscripts.h"
#include <gtest/gtest.h>

// Every test checks that the dialogs it scripted were all shown.
DialoguesScripts::~DialoguesScripts() { verifierTousConsommes(); }

DialoguesScripts &DialoguesScripts::repondre(int reponse, const QString &texte, int style,
                                             const QString &titre) {
  Attendu a;
  a.reponse = reponse;
  a.texte = texte;
  a.style = style;
  a.titre = titre;
  return repondre(a);
}

DialoguesScripts &DialoguesScripts::repondre(const Attendu &a) {
  m_reponses.append(a);
  return *this;
}

DialoguesScripts &DialoguesScripts::saisir(const QString &texte) {
  m_saisies.append(texte);
  return *this;
}

DialoguesScripts &DialoguesScripts::choisirFichier(const QString &chemin) {
  m_fichiers.append(chemin);
  return *this;
}

DialoguesScripts &DialoguesScripts::configurer(bool accepte) {
  m_configs.append(accepte);
  return *this;
}

int DialoguesScripts::message(const QString &texte, int style, const QString &titre) {
  messages.append({texte, style, titre});
  if (m_reponses.isEmpty()) {
    ADD_FAILURE() << "unexpected message box: " << texte.toStdString() << " (style " << style
                  << ", title " << titre.toStdString() << ")";
    return (style & 0x0F) == BoutonsOuiNon ? Non : ((style & 0x0F) == 0 ? OK : Annuler);
  }
  Attendu a = m_reponses.takeFirst();
  if (!a.texte.isEmpty())
    EXPECT_EQ(texte.toStdString(), a.texte.toStdString());
  if (a.style >= 0)
    EXPECT_EQ(style, a.style) << texte.toStdString();
  if (!a.titre.isNull())
    EXPECT_EQ(titre.toStdString(), a.titre.toStdString()) << texte.toStdString();
  if (a.pendant)
    a.pendant();
  return a.reponse;
}

bool DialoguesScripts::saisie(const QString &question, const QString &, QString &reponse,
                              const QString &) {
  questionsSaisie.append(question);
  if (m_saisies.isEmpty()) {
    ADD_FAILURE() << "unexpected input box: " << question.toStdString();
    reponse.clear();
    return false;
  }
  reponse = m_saisies.takeFirst();
  if (reponse.isNull()) {
    reponse.clear();
    return false;
  }
  return true;
}

QString DialoguesScripts::ouvrirFichier(const QString &titre, const QString &, const QString &,
                                        const QString &) {
  titresFichier.append(titre);
  if (m_fichiers.isEmpty()) {
    ADD_FAILURE() << "unexpected file dialog: " << titre.toStdString();
    return {};
  }
  return m_fichiers.takeFirst();
}

bool DialoguesScripts::configurerImprimante() {
  if (m_configs.isEmpty()) {
    ADD_FAILURE() << "unexpected printer set-up dialog";
    return false;
  }
  return m_configs.takeFirst();
}

int DialoguesScripts::restants() const {
  return int(m_reponses.size() + m_saisies.size() + m_fichiers.size() + m_configs.size());
}

void DialoguesScripts::verifierTousConsommes() {
  EXPECT_EQ(restants(), 0) << "scripted answers left unused";
}
