#pragma once
#include "fiche.h"
#include <QByteArray>
#include <QString>

// One entry of the title index dvd.idx: a 123-character key and the 1-based
// record number of the card in dvd.lst.
struct EntreeIndex {
  static constexpr int TailleCle = 123;
  static constexpr int Taille = 125;

  // An unread entry: one shared key, not 2001 copies in the index cache.
  QString cle = cleVide();
  static const QString &cleVide() {
    static const QString vide(TailleCle, QChar(u'\0'));
    return vide;
  }
  qint16 numero = 0;

  // ean + titre + dateachat at their full widths.
  static QString cleDe(const Fiche &f);
  QString ean() const { return cle.left(13); }        // positions 1-13
  QString titre() const { return cle.mid(13, 100); }  // positions 14-113
  QString dateachat() const { return cle.right(10); } // last 10

  QByteArray versOctets() const;                       // 125 bytes
  static EntreeIndex depuisOctets(const QByteArray &); // expects 125 bytes
  static qint16 numeroDe(const char *entree);          // of 125 bytes, without decoding the key

  bool operator==(const EntreeIndex &) const = default;
};
