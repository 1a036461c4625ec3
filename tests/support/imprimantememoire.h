#pragma once
#include "platform/imprimante.h"

#include <QList>
#include <QString>

// A printer for tests: keeps the texts drawn and counts every drawing, with
// simple exact metrics (a line of a font of p points is 0.41 p mm high, a
// character 0.15 p mm wide).
class ImprimanteMemoire : public Imprimante {
public:
  struct Texte { QString texte; double y = 0; };

  QString nom = QStringLiteral("Imprimante de test");
  double largeur = 200, hauteur = 277, hauteurA4 = 277;
  bool reussite = true; // what finDocument answers
  QList<Texte> textes;
  int dessins = 0; // texts, lines, rectangles and page breaks
  int documentsFinis = 0;

  QString nomPeripherique() const override { return nom; }
  double largeurImprimable() const override { return largeur; }
  double hauteurImprimable() const override { return hauteur; }
  double hauteurImprimableA4() const override { return hauteurA4; }
  QSizeF mesurer(const QString &, double points, bool, const QString &texte) const override {
    return {texte.size() * points * 0.15, points * 0.41};
  }
  void ligne(double, double, double, double) override { ++dessins; }
  void rectangle(double, double, double, double) override { ++dessins; }
  void nouvellePage() override { ++dessins; }
  bool finDocument() override { return ++documentsFinis, reussite; }

protected:
  void dessinerTexte(double, double y, const QString &texte, double) override { ++dessins, textes.append({texte, y}); }
};
