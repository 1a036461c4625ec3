#!/usr/bin/env bash
# The whole test suite, real-window journeys included, built with
# AddressSanitizer and UndefinedBehaviorSanitizer. Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh test
cmake -S . -B build-asan -DFILMOREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan -j"$(nproc)"
logs="$(mktemp -d)"
export ASAN_OPTIONS="detect_leaks=1:log_path=$logs/asan"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:log_path=$logs/ubsan"
(cd build-asan && ctest --output-on-failure -j"$(nproc)")
if compgen -G "$logs/*" >/dev/null; then
  cat "$logs"/*
  echo "sanitizer reports above" >&2
  exit 1
fi
echo "no sanitizer report"
