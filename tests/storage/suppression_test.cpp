#include "outils.h"
#include "storage/suppression.h"

namespace {
Fiche carte(const QString &ean, const QString &titre, const QString &date = QStringLiteral("01/02/2003")) {
  Fiche f;
  for (int c = 0; c < 23; ++c)
    f.set(static_cast<Champ>(c), QString());
  f.set(Champ::ean, ean);
  f.set(Champ::titre, titre);
  f.set(Champ::dateachat, date);
  return f;
}

// The entry of a card, or the entry a deletion leaves marked.
EntreeIndex de(const Fiche &f, int numero, bool marquee = false) {
  return {marquee ? suppression::cleMarquee(f) : EntreeIndex::cleDe(f), qint16(numero)};
}

// Cards in record order and entries as given, written byte for byte.
struct Catalogue {
  QTemporaryDir dir;
  QList<Fiche> cartes;
  suppression::Plan plan;

  Catalogue(const QList<Fiche> &c, const QList<EntreeIndex> &idx) : cartes(c) {
    QByteArray lst;
    for (const Fiche &f : c)
      lst += f.versOctets();
    ecrireBrut(dir.filePath("dvd.lst"), lst);
    ecrireBrut(dir.filePath("dvd.idx"), index(idx));
  }
  suppression::Resultat preparer(int position, const Fiche &montree, int n = -1) {
    return suppression::preparer(dir.path(), n < 0 ? int(cartes.size()) : n, position, montree, plan);
  }
};
} // namespace

TEST(Suppression, CleMarqueeGardeLeCodeEtLaDateAutourDesZ) {
  EXPECT_EQ(suppression::cleMarquee(carte("123", "Alien", "5/6/2007")),
            QString("123          ZZZZZZZZZZ5/6/2007  ") + QString(90, ' ')); // 123 characters
}

TEST(Suppression, RienNEstPrevuSansFicheOuAvecUnIndexQuiNeDesigneRien) {
  const Fiche a = carte("1000000000001", "Alien"), b = carte("1000000000002", "Brazil");
  for (int numero : {0, 3, -1})
    EXPECT_EQ(Catalogue({a, b}, {de(a, 1), de(b, numero)}).preparer(2, b), suppression::Resultat::IndexEndommage);
  Catalogue c({a, b}, {de(a, 1), de(b, 2)});
  for (auto [n, p] : {std::pair{0, 1}, {2, 0}, {2, 3}})
    EXPECT_EQ(c.preparer(p, a, n), suppression::Resultat::Rien);
  // A count beyond what dvd.idx holds reads nothing.
  EXPECT_EQ(c.preparer(1, a, 3), suppression::Resultat::EchecFichier);
}

TEST(Suppression, SansEntreeSurLaDerniereFicheAucuneEntreeNEstRepointee) {
  // Inconsistent index: both entries on record 1, none on record 2.
  const Fiche a = carte("1000000000001", "Alien"), b = carte("1000000000002", "Brazil");
  Catalogue c({a, b}, {de(a, 1), de(b, 1)});
  ASSERT_EQ(c.preparer(1, a), suppression::Resultat::Faite);
  EXPECT_TRUE(c.plan.record == 1 && c.plan.deplacee == b);
  EXPECT_EQ(index(c.plan.entrees), index({de(b, 1), de(b, 1, true)}));
}
