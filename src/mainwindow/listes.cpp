#include "mainwindow/filmorel.h"

#include "platform/dialogues.h"

// Texts of the lookup-list buttons, in ajou/sup order: publishers, buyers,
// sound formats, borrowers, genres.
namespace {
const char *const kQuestionsAjout[5] = {
    "Ajouter cet editeur à la liste ?", "Ajouter ce nom à la liste ?", "Ajouter ce format sonore à la liste ?",
    "Ajouter cet emprunteur à la liste ?", "Ajouter ce genre à la liste ?"};
const char *const kQuestionsRetrait[5] = {
    "Supprimer cet editeur de la liste ?", "Supprimer ce nom de la liste ?",
    "Supprimer ce format sonore de la liste ?", "Supprimer cet emprunteur de la liste ?",
    "Supprimer ce genre de la liste ?"};
const char *const kAbsents[5] = {
    "Impossible de supprimer cet éditeur de la liste car il n'y figure pas !!!",
    "Impossible de supprimer ce nom de la liste car il n'y figure pas !!!",
    "Impossible de supprimer ce format sonore de la liste car il n'y figure pas !!!",
    "Impossible de supprimer ce nom de la liste car il n'y figure pas !!!",
    "Impossible de supprimer ce genre de la liste car il n'y figure pas !!!"};

// The card field each list fills: typing stops at its width.
const Champ kChampsListes[5] = {Champ::editeur, Champ::achat, Champ::son, Champ::nom, Champ::genre};

// First of the `compte` first items equal to `texte` ignoring case (nothing
// trimmed); -1 when none is.
int positionDansListe(const QStringList &items, int compte, const QString &texte) {
  const QString cherche = texte.toUpper();
  const int n = qMin(compte, int(items.size()));
  for (int i = 0; i < n; ++i)
    if (items[i].toUpper() == cherche)
      return i;
  return -1;
}
} // namespace

void Filmorel::limiterListes() {
  for (int n = 0; n < 5; ++n)
    comboListe(n)->setMaxLength(largeur(kChampsListes[n]));
}

void Filmorel::ajouterALaListe(int n) {
  if (n < 0 || n > 4)
    return;
  m_v.reponse = m_dialogues->message(QString::fromUtf8(kQuestionsAjout[n]), 36, QStringLiteral("Message"));
  if (m_v.reponse == Dialogues::Non)
    return;
  // The text goes in as typed: empty or already listed included.
  ComboListe *c = comboListe(n);
  const QString texte = c->currentText();
  c->ajouterItem(texte);
  compteListe(n) += 1;
  // The list stays as the file holds it when dvd.ini cannot be written.
  if (!sauver_ini()) {
    c->removeItem(c->findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive));
    c->setEditText(texte);
    compteListe(n) -= 1;
  }
}

void Filmorel::supprimerDeLaListe(int n) {
  if (n < 0 || n > 4)
    return;
  m_v.reponse = m_dialogues->message(QString::fromUtf8(kQuestionsRetrait[n]), 36, QStringLiteral("Message"));
  if (m_v.reponse == Dialogues::Non)
    return;
  ComboListe *c = comboListe(n);
  const QString texte = c->currentText();
  const int i = positionDansListe(c->items(), compteListe(n), texte);
  if (i < 0) {
    m_v.reponse = m_dialogues->message(QString::fromUtf8(kAbsents[n]), 16, QString());
    return;
  }
  const QString retire = c->itemText(i);
  c->removeItem(i);
  // Removing the current item would put another one in the box.
  c->setEditText(texte);
  compteListe(n) -= 1;
  if (!sauver_ini()) {
    c->insertItem(i, retire);
    c->setEditText(texte);
    compteListe(n) += 1;
  }
}
