#include "outils.h"
#include "storage/cp1252.h"

TEST(Cp1252, EveryByteSurvivesARoundTripAndOtherCharactersBecomeQuestionMarks) {
  QByteArray tous;
  for (int b = 0; b < 256; ++b)
    tous.append(char(b));
  const QString texte = cp1252::decode(tous);
  ASSERT_EQ(texte.size(), 256);
  EXPECT_EQ(cp1252::encode(texte), tous);
  EXPECT_EQ(texte.mid(0x80, 4), QString::fromUtf8("€\u0081‚ƒ"));
  EXPECT_EQ(texte.mid(0x9C, 4), QString::fromUtf8("œ\u009DžŸ"));

  // U+0080 is not the byte 0x80 (that is €); a character outside the BMP
  // takes two units and so two bytes, keeping field widths exact.
  EXPECT_EQ(cp1252::encode(QString::fromUtf8("a\u0080\u4E2D\u0100b")), QByteArray("a???b"));
  EXPECT_EQ(cp1252::encode(QString::fromUtf8("\xF0\x9F\x8E\xAC")), QByteArray("??"));
  EXPECT_EQ(cp1252::encode(QString::fromUtf8("Œuvre – “dix”")), QByteArray("\x8C" "uvre \x96 \x93" "dix\x94"));
}

TEST(Fiche, FieldsArePaddedCutAndPlacedAtTheirOffsetsAndReadBack) {
  Fiche f;
  EXPECT_TRUE(f.vierge());
  EXPECT_EQ(f.versOctets(), QByteArray(Fiche::Taille, '\0'));

  f.set(Champ::ean, QStringLiteral("3333297001234"));
  f.set(Champ::titre, QStringLiteral("Amélie"));
  f.set(Champ::editeur, QString(40, u'E') + u'x'); // 26 wide: cut
  f.set(Champ::jacket, QStringLiteral("3333297001234.jpg"));
  EXPECT_FALSE(f.vierge());
  EXPECT_EQ(f.get(Champ::titre), QStringLiteral("Amélie") + QString(94, u' '));
  EXPECT_EQ(f.get(Champ::editeur), QString(26, u'E'));
  EXPECT_EQ(sansBlancsFinaux(f.get(Champ::titre)), QStringLiteral("Amélie"));

  QTemporaryDir dir;
  ASSERT_TRUE(fichiers::ecrireFiche(dir.path(), 2, f));
  const QByteArray disque = contenu(dir.filePath("dvd.lst"));
  ASSERT_EQ(disque.size(), 2 * Fiche::Taille);
  EXPECT_EQ(disque.left(Fiche::Taille), QByteArray(Fiche::Taille, '\0'));
  const QByteArray rec = disque.mid(Fiche::Taille);
  EXPECT_EQ(rec.mid(0, 13), "3333297001234");
  EXPECT_EQ(rec.mid(13, 100), QByteArray("Am\xE9lie") + QByteArray(94, ' '));
  EXPECT_EQ(rec.mid(157, 26), QByteArray(26, 'E'));
  EXPECT_EQ(rec.mid(997, 20), QByteArray("3333297001234.jpg   "));
  EXPECT_EQ(rec.mid(113, 6), QByteArray(6, '\0')); // never set

  Fiche relue;
  ASSERT_TRUE(fichiers::lireFiche(dir.path(), 2, relue));
  EXPECT_EQ(relue, f);

  // A record made by hand is read field by field.
  QByteArray aLaMain(Fiche::Taille, ' ');
  auto poser = [&](int offset, const QByteArray &octets) { aLaMain.replace(offset, octets.size(), octets); };
  poser(0, "5050582000013");
  poser(13, "L'\x92t\xE9 \x80 Paris\r\nsuite");
  poser(225, "14/07/2001");
  poser(954, "Oui");
  poser(967, "\xC9lodie");
  ecrireBrut(dir.filePath("dvd.lst"), aLaMain);
  ASSERT_TRUE(fichiers::lireFiche(dir.path(), 1, f));
  EXPECT_EQ(f.get(Champ::ean), QStringLiteral("5050582000013"));
  EXPECT_EQ(sansBlancsFinaux(f.get(Champ::titre)), QStringLiteral("L'’té € Paris\r\nsuite"));
  EXPECT_EQ(f.get(Champ::dateachat), QStringLiteral("14/07/2001"));
  EXPECT_EQ(f.get(Champ::preter), QStringLiteral("Oui"));
  EXPECT_EQ(sansBlancsFinaux(f.get(Champ::nom)), QStringLiteral("Élodie"));
  EXPECT_EQ(f.versOctets(), aLaMain);
}

TEST(EntreeIndex, KeyAndRecordNumberLayout) {
  Fiche f;
  f.set(Champ::ean, QStringLiteral("123"));
  f.set(Champ::titre, QStringLiteral("Dune"));
  f.set(Champ::dateachat, QStringLiteral("01/01/2000"));
  EntreeIndex e;
  e.cle = EntreeIndex::cleDe(f);
  e.numero = 0x0203;
  EXPECT_EQ(e.ean(), QStringLiteral("123          "));
  EXPECT_EQ(e.titre(), QStringLiteral("Dune") + QString(96, u' '));
  EXPECT_EQ(e.dateachat(), QStringLiteral("01/01/2000"));

  const QByteArray octets = e.versOctets();
  ASSERT_EQ(octets.size(), EntreeIndex::Taille);
  EXPECT_EQ(octets.mid(123), QByteArray("\x03\x02", 2));
  EXPECT_EQ(EntreeIndex::depuisOctets(octets), e);

  e.numero = -2;
  EXPECT_EQ(e.versOctets().mid(123), QByteArray("\xFE\xFF", 2));
  EXPECT_EQ(EntreeIndex::depuisOctets(e.versOctets()).numero, -2);
}
