#pragma once
#include "platform/imprimante.h"

#include <QList>
#include <QString>

// A printer for tests: keeps every drawing, with simple exact metrics
// (a line of a font of p points is 0.41 p mm high, a character 0.15 p mm
// wide).
class ImprimanteMemoire : public Imprimante {
public:
  struct Trace {
    QString quoi; // "texte", "ligne", "rectangle", "page"
    double x = 0, y = 0, x2 = 0, y2 = 0;
    QString texte;
    double points = 0;
    bool gras = false;
    int trait = 0;
    double largeurMax = 0;
  };

  QString nom = QStringLiteral("Imprimante de test");
  double largeur = 200;
  bool reussite = true; // what finDocument answers
  QList<Trace> traces;
  int documentsFinis = 0;

  QString nomPeripherique() const override { return nom; }
  double largeurImprimable() const override { return largeur; }
  QSizeF mesurer(const QString &, double points, bool, const QString &texte) const override {
    return {texte.size() * points * 0.15, points * 0.41};
  }
  void ligne(double x1, double y1, double x2, double y2) override {
    traces.append({QStringLiteral("ligne"), x1, y1, x2, y2, {}, 0, false, trait()});
  }
  void rectangle(double x1, double y1, double x2, double y2) override {
    traces.append({QStringLiteral("rectangle"), x1, y1, x2, y2, {}, 0, false, trait()});
  }
  void nouvellePage() override { traces.append({QStringLiteral("page")}); }
  bool finDocument() override {
    ++documentsFinis;
    return reussite;
  }

  QList<Trace> textes() const {
    QList<Trace> t;
    for (const Trace &tr : traces)
      if (tr.quoi == QLatin1String("texte"))
        t.append(tr);
    return t;
  }

protected:
  void dessinerTexte(double x, double y, const QString &texte, double largeurMax) override {
    traces.append({QStringLiteral("texte"), x, y, 0, 0, texte, taillePolice(), policeGrasse(), trait(), largeurMax});
  }
};
