#include "support/catalogue.h"

#include "storage/entreeindex.h"
#include "storage/fichiers.h"
#include "storage/reclassement.h"

#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>
#include <QFile>
#include <QImage>

namespace catalogue {

Fiche fiche(const QString &ean, const QString &titre, const QList<QPair<Champ, QString>> &autres) {
  Fiche f;
  const QList<QPair<Champ, QString>> valeurs = {
      {Champ::ean, ean}, {Champ::titre, titre}, {Champ::zone, "2"}, {Champ::annee, "2001"}, {Champ::duree, "120"},
      {Champ::face, "1"}, {Champ::langue, "Fr/Ang"}, {Champ::genre, "Film"}, {Champ::soustitre, "Fr/Ang"},
      {Champ::editeur, "Autre"}, {Champ::realisateur, ""}, {Champ::bonus, "Oui"}, {Champ::achat, "Moi"},
      {Champ::dateachat, "01/02/2003"}, {Champ::format, "16:9"}, {Champ::couleur, "Oui"},
      {Champ::son, "Dolby Digital 5.1"}, {Champ::acteurs, ""}, {Champ::resumer, ""}, {Champ::preter, "Non"},
      {Champ::datepret, ""}, {Champ::nom, ""}, {Champ::jacket, ean + ".jpg"}};
  for (const auto &[c, t] : valeurs + autres)
    f.set(c, t);
  return f;
}

Reglages reglagesDeBase() {
  Reglages r;
  r.margeHaut = r.margeBas = r.margeGauche = r.margeDroite = "10";
  r.genres = {"Action", "Comédie", "Drame", "Film", "Policier"};
  r.editeurs = {"Autre", "Gaumont", "Pathé", "Warner"};
  r.sons = {"DTS", "Dolby Digital 5.1", "Mono"};
  r.acheteurs = {"Moi", "Paul"};
  r.noms = {"Durand", "Martin"};
  return r;
}

void ecrire(const QString &dossier, const QList<Fiche> &cartes, Reglages r) {
  QDir d(dossier);
  for (const char *sous : {"jackets", "historique", "export"})
    d.mkpath(QString::fromLatin1(sous));
  QFile::remove(d.filePath("dvd.lst"));
  QFile::remove(d.filePath("dvd.idx"));
  fichiers::creerSiAbsents(dossier);
  QList<EntreeIndex> entrees;
  for (int i = 0; i < cartes.size(); ++i) {
    fichiers::ecrireFiche(dossier, i + 1, cartes[i]);
    entrees.append({EntreeIndex::cleDe(cartes[i]), qint16(i + 1)});
  }
  reclassement::trier(entrees);
  for (int i = 0; i < entrees.size(); ++i)
    fichiers::ecrireEntree(dossier, i + 1, entrees[i]);
  r.nbFiches = int(cartes.size());
  reglages::sauver(d.filePath("dvd.ini"), r);
  if (!QFile::exists(d.filePath("jackets/jacket.bmp")))
    image(d.filePath("jackets/jacket.bmp"));
}

void repointer(const QString &dossier, int position, int numero) {
  EntreeIndex e;
  ASSERT_TRUE(fichiers::lireEntree(dossier, position, e));
  e.numero = qint16(numero);
  ASSERT_TRUE(fichiers::ecrireEntree(dossier, position, e));
}

QList<Fiche> numerotees(int n) {
  QList<Fiche> l;
  for (int i = 1; i <= n; ++i)
    l.append(fiche(QString::number(3000000000000LL + i), QString("Film %1").arg(i, 3, 10, QChar('0'))));
  return l;
}

void image(const QString &chemin, int largeur, int hauteur) {
  QImage img(largeur, hauteur, QImage::Format_RGB32);
  img.fill(Qt::darkCyan);
  img.save(chemin);
}

QByteArray contenu(const QString &chemin) {
  QFile f(chemin);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

void ecrireOctets(const QString &chemin, const QByteArray &octets) {
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << chemin.toStdString();
  f.write(octets);
}

QStringList arborescence(const QString &dossier) {
  QStringList l;
  for (QDirIterator it(dossier, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
       it.hasNext();)
    l << QDir(dossier).relativeFilePath(it.next());
  l.sort();
  return l;
}
} // namespace catalogue
