#pragma once
#include "storage/entreeindex.h"
#include "storage/reglages.h"

#include <QList>
#include <QString>
#include <functional>

// Checks made at start-up, after the lock and the journal, before the
// catalogue is written to: is it safe to write over?
namespace catalogue {

// Whether a path can be written. QFileInfo::isWritable by default; root can
// write whatever the permission bits say, so tests give their own answer.
using Ecrivable = std::function<bool(const QString &chemin)>;

// Why the data folder can only be read: the folder itself, or an existing
// dvd.lst, dvd.idx or dvd.ini, cannot be written. Empty when it can (files
// not created yet included).
QString lectureSeule(const QString &dossier, const Ecrivable &ecrivable = {});

// Why the count of dvd.ini (read as `r`) or the index cannot be trusted, or
// empty: a count unreadable while dvd.lst holds cards, a count above what
// dvd.lst or dvd.idx hold, or live entries that do not point to distinct
// records 1..count. Records and entries beyond the count are normal.
QString indexDouteux(const QString &dossier, const Reglages &r);

// The repaired live index: the entries, in index order, that carry no
// deletion marker and point to distinct records 1..n, n being how many are
// kept. Nothing is renumbered; the count becomes entrees.size().
QList<EntreeIndex> indexRepare(const QString &dossier);

} // namespace catalogue
