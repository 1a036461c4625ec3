#pragma once
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// Runs `fn` `runs` times and prints "nom: median X.XXX ms (N runs)".
// `preparer` runs before each run, outside the timing (to reset the files).
// One untimed run first, so that the first line pays no more for a cold
// process than the others.
inline double mesurer(const char *nom, int runs, const std::function<void()> &fn,
                      const std::function<void()> &preparer = {}) {
  if (preparer)
    preparer();
  fn();
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    if (preparer)
      preparer();
    QElapsedTimer chrono;
    chrono.start();
    fn();
    ms.push_back(double(chrono.nsecsElapsed()) / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  const std::size_t m = ms.size() / 2;
  const double mediane = ms.empty() ? 0 : ms.size() % 2 ? ms[m] : (ms[m - 1] + ms[m]) / 2;
  std::printf("%s: median %.3f ms (%d runs)\n", nom, mediane, runs);
  std::fflush(stdout);
  return mediane;
}
