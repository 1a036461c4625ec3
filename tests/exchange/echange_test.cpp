#include "exchange/echange.h"
#include "storage/cp1252.h"
#include "support/fenetre.h"

static QByteArray pad(const QString &s, int n) { return cp1252::encode(s.leftJustified(n, u' ', true)); }

TEST(EchangeFichiers, TableurExportDatEtJacketsSansPerteNiSortieDuDossier) {
  QTemporaryDir d;
  catalogue::ecrire(d.path(), {catalogue::fiche("1111111111111", "Zorro\r\nle retour"),
                                catalogue::fiche("2222222222222", "Alien; le huitième",
                                                {{Champ::preter, "Oui"}, {Champ::nom, "Durand"}}),
                                catalogue::fiche("3333333333333", "Brazil")});
  QList<EntreeIndex> tab(2001);
  const QString xls = QDir(d.path()).filePath("export.xls");

  EXPECT_TRUE(echange::ecrireTableur(d.path(), 3, tab, xls).ecrit);
  const QList<QByteArray> lignes = catalogue::contenu(xls).split('\n');
  ASSERT_EQ(lignes.size(), 4);
  // Index order; the ";" of the title is written as it is (no quoting).
  const QByteArray attendue = "2222222222222;" + pad("Alien; le huitième", 100) + ";2     ;2001;120;1;Fr/Ang   ;" +
                              "Film        ;Fr/Ang   ;" + pad("Autre", 26) + ";" + pad("", 30) + ";Oui;Moi      ;" +
                              "01/02/2003;16:9       ;Oui;" + pad("Dolby Digital 5.1", 30) + ";" + pad("", 95) + ";" +
                              pad("", 580) + ";Oui;" + pad("", 10) + ";" + pad("Durand", 30) + ";" +
                              pad("2222222222222.jpg", 20) + "\r";
  EXPECT_EQ(lignes[0], attendue);
  EXPECT_EQ(lignes[2].mid(14, 100), pad("Zorro : le retour", 100)); // a line break would split the row

  // The previous exchange pair stays until both new files are whole.
  const QString exp = QDir(d.path()).filePath("export");
  catalogue::ecrireOctets(exp + "/export.lst", "ancienne liste");
  QDir(exp).mkdir("export.dat"); // cannot be replaced by a file
  EXPECT_FALSE(echange::exporterSelection(d.path(), 3, tab, {1, 3}, {}, exp, false).ecrit);
  EXPECT_EQ(catalogue::contenu(exp + "/export.lst"), "ancienne liste");

  // An entry pointing outside the live records is left out, not written as the card before it again.
  catalogue::repointer(d.path(), 2, 9);
  const echange::BilanTableur partiel = echange::ecrireTableur(d.path(), 3, tab, xls);
  EXPECT_EQ(std::pair(partiel.lignes, partiel.illisibles), std::pair(2, 1));
  // A file that cannot be replaced is reported as not written.
  QDir(d.path()).mkdir("bloque.xls");
  EXPECT_FALSE(echange::ecrireTableur(d.path(), 3, tab, QDir(d.path()).filePath("bloque.xls")).ecrit);

  // An unreadable EXPORT.DAT, list items that would shift the lists, a cover outside its folder.
  for (const char *illisible : {"", "deux\r\n", "-1\r\n"})
    EXPECT_FALSE(echange::lireExportDat(illisible).nombreLu) << illisible;
  // A line break inside an item or a blank item would put the lists out of step.
  EXPECT_EQ(echange::contenuExportDat(0, {{"Film", "  "}, {"A\r\nB"}, {}, {}, {""}}),
            "0\r\nFilm\r\n\r\nA  B\r\n\r\n\r\n\r\n\r\n");

  EXPECT_EQ(echange::nomJacket(catalogue::fiche(" 123 ", "A")), "123");
  for (const char *ean : {"../../etc/x", "a\\b", "c:x", "", "  ", ".."})
    EXPECT_EQ(echange::nomJacket(catalogue::fiche(ean, "A")), "") << ean;
  // A cover replaces the one there, and is not erased when copied onto itself.
  const QString src = QDir(d.path()).filePath("a.jpg"), dst = QDir(d.path()).filePath("b.jpg");
  catalogue::ecrireOctets(src, "nouvelle");
  catalogue::ecrireOctets(dst, "ancienne image");
  EXPECT_TRUE(echange::copierJacket(src, dst) && catalogue::contenu(dst) == "nouvelle");
  EXPECT_TRUE(!echange::copierJacket(src, src) && catalogue::contenu(src) == "nouvelle");
}
