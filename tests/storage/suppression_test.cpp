#include "outils.h"
#include "storage/suppression.h"

namespace {
Fiche carte(const QString &ean, const QString &titre) {
  Fiche f;
  f.set(Champ::ean, ean);
  f.set(Champ::titre, titre);
  f.set(Champ::dateachat, QStringLiteral("01/02/2003"));
  return f;
}
const Fiche a = carte("1000000000001", "Alien"), b = carte("1000000000002", "Brazil");

EntreeIndex de(const Fiche &f, int numero) { return {EntreeIndex::cleDe(f), qint16(numero)}; }

// Prepares a deletion in a catalogue of cards a and b (records 1 and 2) with these entries, written byte for byte.
suppression::Resultat preparer(const QList<EntreeIndex> &idx, int position, const Fiche &montree, int n = 2,
                               suppression::Plan *plan = nullptr) {
  QTemporaryDir dir;
  ecrireBrut(dir.filePath("dvd.lst"), a.versOctets() + b.versOctets());
  ecrireBrut(dir.filePath("dvd.idx"), index(idx));
  suppression::Plan p;
  return suppression::preparer(dir.path(), n, position, montree, plan ? *plan : p);
}
} // namespace

TEST(Suppression, RienNEstPrevuSansFicheOuAvecUnIndexQuiNeDesigneRienEtLaCleMarqueeGardeCodeEtDate) {
  for (int numero : {0, 3, -1})
    EXPECT_EQ(preparer({de(a, 1), de(b, numero)}, 2, b), suppression::Resultat::IndexEndommage) << numero;
  for (auto [n, p] : {std::pair{0, 1}, {2, 0}, {2, 3}})
    EXPECT_EQ(preparer({de(a, 1), de(b, 2)}, p, a, n), suppression::Resultat::Rien) << p;
  // A count beyond what dvd.idx holds reads nothing.
  EXPECT_EQ(preparer({de(a, 1), de(b, 2)}, 1, a, 3), suppression::Resultat::EchecFichier);

  // Inconsistent index: both entries on record 1, none on record 2: no entry is pointed elsewhere.
  suppression::Plan plan;
  ASSERT_EQ(preparer({de(a, 1), de(b, 1)}, 1, a, 2, &plan), suppression::Resultat::Faite);
  EXPECT_TRUE(plan.record == 1 && plan.deplacee == b);
  EXPECT_EQ(plan.entrees, QList<EntreeIndex>({de(b, 1), {suppression::cleMarquee(b), 1}}));
  EXPECT_EQ(suppression::cleMarquee(b), "1000000000002ZZZZZZZZZZ01/02/2003" + QString(90, ' ')); // 123 characters
}
