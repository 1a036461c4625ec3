#include "outils.h"
#include "storage/cp1252.h"

namespace {
// A record of `fond` bytes with these fields placed at their offsets.
QByteArray enregistrement(char fond, const QList<std::pair<int, QByteArray>> &champs) {
  QByteArray r(Fiche::Taille, fond);
  for (const auto &[offset, octets] : champs)
    r.replace(offset, octets.size(), octets);
  return r;
}
} // namespace

TEST(Cp1252, EveryByteSurvivesARoundTripAndOtherCharactersBecomeQuestionMarks) {
  QByteArray tous;
  for (int b = 0; b < 256; ++b)
    tous.append(char(b));
  EXPECT_EQ(cp1252::encode(cp1252::decode(tous)), tous);

  // U+0080 is not the byte 0x80 (that is €); a character outside the BMP
  // takes two units and so two bytes, keeping field widths exact.
  EXPECT_EQ(cp1252::encode(QString::fromUtf8("a\u0080\u4E2D\u0100b\xF0\x9F\x8E\xAC Œuvre – “dix”")),
            QByteArray("a???b?? \x8C" "uvre \x96 \x93" "dix\x94"));
}

TEST(Fiche, RecordAndIndexEntryFieldsArePaddedCutAndPlacedAtTheirOffsetsAndReadBack) {
  Fiche f;
  for (const auto &[c, v] : QList<std::pair<Champ, QString>>{{Champ::ean, "3333297001234"}, {Champ::titre, "Amélie"},
       {Champ::editeur, QString(40, u'E') + u'x'}, {Champ::jacket, "3333297001234.jpg"}}) // publisher 26 wide: cut
    f.set(c, v);
  QTemporaryDir dir;
  ASSERT_TRUE(fichiers::ecrireFiche(dir.path(), 2, f));
  // Record 1 and the fields never set stay zero bytes.
  const QByteArray rec = enregistrement('\0', {{0, "3333297001234"}, {13, "Am\xE9lie" + QByteArray(94, ' ')},
                                               {157, QByteArray(26, 'E')}, {997, "3333297001234.jpg   "}});
  EXPECT_EQ(contenu(dir.filePath("dvd.lst")), QByteArray(Fiche::Taille, '\0') + rec);

  // A record made by hand is read field by field.
  const QByteArray aLaMain = enregistrement(' ', {{0, "5050582000013"}, {13, "L'\x92t\xE9 \x80 Paris\r\nsuite"},
                                                 {225, "14/07/2001"}, {954, "Oui"}, {967, "\xC9lodie"}});
  ecrireBrut(dir.filePath("dvd.lst"), aLaMain);
  ASSERT_TRUE(fichiers::lireFiche(dir.path(), 1, f));
  EXPECT_EQ(QStringList({f.get(Champ::ean), sansBlancsFinaux(f.get(Champ::titre)), f.get(Champ::dateachat),
                         f.get(Champ::preter), sansBlancsFinaux(f.get(Champ::nom))}),
            QStringList({"5050582000013", "L'’té € Paris\r\nsuite", "14/07/2001", "Oui", "Élodie"}));
  EXPECT_EQ(f.versOctets(), aLaMain);

  // An index entry: bar code, title and date padded, then the record number low byte first.
  f = Fiche();
  for (const auto &[c, v] : {std::pair{Champ::ean, "123"}, {Champ::titre, "Dune"}, {Champ::dateachat, "01/01/2000"}})
    f.set(c, v);
  const EntreeIndex e{EntreeIndex::cleDe(f), 0x0203};
  const QByteArray octets = "123          Dune" + QByteArray(96, ' ') + "01/01/2000\x03\x02";
  EXPECT_EQ(e.versOctets(), octets);
  EXPECT_EQ(EntreeIndex::depuisOctets(octets), e);
  EXPECT_EQ(EntreeIndex::depuisOctets(QByteArray(123, ' ') + "\xFE\xFF").numero, -2);
}
