#include "cp1252.h"
#include <array>

namespace {
// 0x80-0x9F. The unassigned bytes map to the C1 control of the same value.
constexpr char16_t kHaut[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Every byte's character, for a decoder without branches.
constexpr std::array<char16_t, 256> tableComplete() {
  std::array<char16_t, 256> t{};
  for (int b = 0; b < 256; ++b)
    t[b] = (b >= 0x80 && b < 0xA0) ? kHaut[b - 0x80] : char16_t(b);
  return t;
}
constexpr std::array<char16_t, 256> kTable = tableComplete();

char octetDe(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
    return static_cast<char>(u);
  for (int i = 0; i < 32; ++i)
    if (kHaut[i] == u)
      return static_cast<char>(0x80 + i);
  return '?';
}
} // namespace

namespace cp1252 {

QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }

QString decode(const char *data, qsizetype size) {
  QString texte(size, Qt::Uninitialized);
  char16_t *d = reinterpret_cast<char16_t *>(texte.data());
  for (qsizetype i = 0; i < size; ++i)
    d[i] = kTable[static_cast<unsigned char>(data[i])];
  return texte;
}

// One byte per UTF-16 unit, so a field of n characters always takes n bytes;
// a character outside the BMP therefore becomes "??".
QByteArray encode(const QString &text) {
  QByteArray octets(text.size(), Qt::Uninitialized);
  char *d = octets.data();
  const QChar *s = text.constData();
  for (qsizetype i = 0; i < text.size(); ++i)
    d[i] = octetDe(s[i].unicode());
  return octets;
}

} // namespace cp1252
