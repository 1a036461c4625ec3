#pragma once
#include <QByteArray>
#include <QString>

// One byte per character, Windows-1252. Bytes 0x80-0x9F use the code page's
// own table (the five unassigned bytes decode to the C1 control of the same
// value so that every byte survives a read/write round trip). Characters that
// the code page cannot hold are written as '?'.
namespace cp1252 {
QString decode(const QByteArray &bytes);
QString decode(const char *data, qsizetype size);
QByteArray encode(const QString &text);
}
