#!/usr/bin/env bash
# Counts code lines the same way every time: non-blank lines that are not
# only a comment (// and /* */ in C++, # in shell), in src/ and in tests/
# (journeys included), and prints the ratio of test lines to code lines.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' \) -print0 |
    xargs -0 awk '
      FNR == 1 { bloc = 0; shell = FILENAME ~ /\.sh$/ }
      {
        l = $0; gsub(/^[ \t]+|[ \t]+$/, "", l)
        if (l == "") next
        if (shell) { if (l ~ /^#/) next; n++; next }
        if (bloc) { if (l ~ /\*\//) { bloc = 0; sub(/^.*\*\//, "", l); if (l == "") next } else next }
        if (l ~ /^\/\//) next
        if (l ~ /^\/\*/) { if (l !~ /\*\//) { bloc = 1; next } sub(/^\/\*.*\*\//, "", l); if (l == "") next }
        n++
      }
      END { print n + 0 }'
}
code=$(count src)
tests=$(count tests)
echo "src: $code lines, tests: $tests lines, tests/src: $((100 * tests / code)) %"
