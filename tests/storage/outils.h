#pragma once
#include "storage/entreeindex.h"
#include "storage/fichiers.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline QByteArray contenu(const QString &chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void ecrireBrut(const QString &chemin, const QByteArray &octets) {
  QFile f(chemin);
  if (f.open(QIODevice::WriteOnly))
    f.write(octets);
}

// An index entry laid out by hand: fields are placed as given, not trimmed.
inline EntreeIndex entree(const QString &titre, int numero,
                          const QString &ean = QStringLiteral("3000000000000"),
                          const QString &date = QStringLiteral("01/02/2003")) {
  return {ajuster(ean, 13) + ajuster(titre, 100) + ajuster(date, 10), qint16(numero)};
}

inline QByteArray index(const QList<EntreeIndex> &entrees) {
  QByteArray octets;
  for (const EntreeIndex &e : entrees)
    octets += e.versOctets();
  return octets;
}
