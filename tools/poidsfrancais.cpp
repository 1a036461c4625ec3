// Writes src/storage/poidsfrancais.h: the collation weights that make
// controles::comparerListe order lists as Qt's case-insensitive French
// QCollator does, without opening ICU at run time. Run by hand (libicu-dev):
//   g++ -std=c++20 -O2 tools/poidsfrancais.cpp -o /tmp/poids -licui18n -licuuc
//   /tmp/poids > src/storage/poidsfrancais.h
#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>
#include <unicode/uset.h>
#include <unicode/uversion.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

namespace {
void verifier(UErrorCode e, const char *quoi) {
  if (U_FAILURE(e)) {
    std::fprintf(stderr, "%s: %s\n", quoi, u_errorName(e));
    std::exit(1);
  }
}

using Element = std::pair<uint32_t, uint32_t>; // primary, secondary

// The elements of a string at secondary strength. ucol_next splits each 64-bit
// element in two halves, the second one flagged 0xC0.
std::vector<Element> elements(UCollator *c, const std::u16string &s) {
  UErrorCode e = U_ZERO_ERROR;
  UCollationElements *it = ucol_openElements(c, reinterpret_cast<const UChar *>(s.data()), int32_t(s.size()), &e);
  verifier(e, "ucol_openElements");
  std::vector<Element> v;
  for (int32_t ce; (ce = ucol_next(it, &e)) != UCOL_NULLORDER;) {
    const uint32_t u = uint32_t(ce);
    if ((u & 0xC0) == 0xC0 && !v.empty()) {
      v.back().first |= u >> 16;
      v.back().second |= (u >> 8) & 0xFF;
    } else {
      v.push_back({u & 0xFFFF0000, u & 0xFF00});
    }
  }
  verifier(e, "ucol_next");
  ucol_closeElements(it);
  std::erase(v, Element{0, 0}); // tertiary-only elements weigh nothing here
  return v;
}
} // namespace

int main() {
  UErrorCode e = U_ZERO_ERROR;
  UCollator *c = ucol_open("fr_FR", &e);
  verifier(e, "ucol_open");
  // What QCollator sets for a case-insensitive comparison.
  ucol_setAttribute(c, UCOL_NORMALIZATION_MODE, UCOL_ON, &e);
  ucol_setAttribute(c, UCOL_STRENGTH, UCOL_SECONDARY, &e);
  ucol_setAttribute(c, UCOL_NUMERIC_COLLATION, UCOL_OFF, &e);
  ucol_setAttribute(c, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &e);
  verifier(e, "ucol_setAttribute");
  // The comparison code reads secondaries forwards and knows no case level.
  if (ucol_getAttribute(c, UCOL_FRENCH_COLLATION, &e) != UCOL_OFF ||
      ucol_getAttribute(c, UCOL_CASE_LEVEL, &e) != UCOL_OFF) {
    std::fprintf(stderr, "backwards secondaries or case level: not handled\n");
    return 1;
  }

  // Latin-1 in full, then the other characters of Windows-1252.
  std::vector<char16_t> caracteres;
  for (char16_t u = 0; u < 0x100; ++u)
    caracteres.push_back(u);
  const std::vector<char16_t> autres = {0x0152, 0x0153, 0x0160, 0x0161, 0x0178, 0x017D, 0x017E, 0x0192, 0x02C6,
                                        0x02DC, 0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C, 0x201D, 0x201E,
                                        0x2020, 0x2021, 0x2022, 0x2026, 0x2030, 0x2039, 0x203A, 0x20AC, 0x2122};
  caracteres.insert(caracteres.end(), autres.begin(), autres.end());

  // The only contractions among these characters: "l" or "L" then U+00B7.
  USet *contractions = uset_openEmpty();
  ucol_getContractionsAndExpansions(c, contractions, nullptr, true, &e);
  verifier(e, "ucol_getContractionsAndExpansions");
  for (int32_t i = 0; i < uset_getItemCount(contractions); ++i) {
    UChar s[16];
    UChar32 debut, fin;
    const int32_t n = uset_getItem(contractions, i, &debut, &fin, s, 16, &e);
    const std::u16string t(reinterpret_cast<char16_t *>(s), std::max(n, 0));
    const bool interne = n > 1 && std::all_of(t.begin(), t.end(), [&](char16_t u) {
      return std::find(caracteres.begin(), caracteres.end(), u) != caracteres.end();
    });
    if (interne && t != u"l\u00B7" && t != u"L\u00B7") {
      std::fprintf(stderr, "unexpected contraction of %zu characters\n", t.size());
      return 1;
    }
  }
  verifier(e, "uset_getItem");
  // What U+00B7 adds after "l": the contraction's elements past those of "l".
  const std::vector<Element> l = elements(c, u"l"), lPoint = elements(c, u"l\u00B7");
  if (lPoint != elements(c, u"L\u00B7") || !std::equal(l.begin(), l.end(), lPoint.begin())) {
    std::fprintf(stderr, "\"l\" is not a prefix of \"l\u00B7\"\n");
    return 1;
  }

  std::vector<std::vector<Element>> table;
  for (char16_t u : caracteres)
    table.push_back(elements(c, std::u16string(1, u)));
  table.emplace_back(lPoint.begin() + l.size(), lPoint.end());

  // Weights become ranks: small numbers that order the same way.
  std::map<uint32_t, int> primaires, secondaires;
  for (const auto &v : table)
    for (const auto &[p, s] : v) {
      if (p)
        primaires[p];
      if (s)
        secondaires[s];
    }
  int rang = 0;
  for (auto &[p, r] : primaires)
    r = ++rang;
  rang = 0;
  for (auto &[s, r] : secondaires)
    r = ++rang;
  if (primaires.size() > 255 || secondaires.size() > 255) {
    std::fprintf(stderr, "%zu primaries, %zu secondaries: more than a byte\n", primaires.size(), secondaires.size());
    return 1;
  }

  UVersionInfo version;
  char texteVersion[U_MAX_VERSION_STRING_LENGTH];
  u_getVersion(version);
  u_versionToString(version, texteVersion);
  std::printf("#pragma once\n"
              "// Generated by tools/poidsfrancais.cpp from ICU %s (fr_FR, secondary strength):\n"
              "// do not edit. Each element is primary rank * 256 + secondary rank.\n"
              "#include <cstdint>\n\n"
              "namespace poidsfrancais {\n\n"
              "// Windows-1252 characters beyond Latin-1; their elements follow U+00FF's.\n"
              "inline constexpr char16_t autres[] = {",
              texteVersion);
  for (size_t i = 0; i < autres.size(); ++i)
    std::printf("%s0x%04X", i ? ", " : "", autres[i]);
  std::printf("};\n\n// Where each character's elements start in `elements`; the last but one entry\n"
              "// is U+00B7 after \"l\" or \"L\".\n"
              "inline constexpr uint16_t debut[] = {");
  int position = 0;
  for (size_t i = 0; i <= table.size(); ++i) {
    std::printf("%s%s%d", i ? "," : "", i % 16 ? " " : "\n    ", position);
    if (i < table.size())
      position += int(table[i].size());
  }
  std::printf("};\n\ninline constexpr uint16_t elements[] = {");
  int k = 0;
  for (const auto &v : table)
    for (const auto &[p, s] : v) {
      std::printf("%s%s0x%04X", k ? "," : "", k % 12 ? " " : "\n    ",
                  (p ? primaires[p] : 0) * 256 + (s ? secondaires[s] : 0));
      ++k;
    }
  std::printf("};\n\n} // namespace poidsfrancais\n");
  uset_close(contractions);
  ucol_close(c);
}
