#pragma once
#include <functional>
#include <thread>

// Work started ahead on the other core while the main thread goes on;
// attendre(), or the end of the object, waits for it.
class EnAvance {
public:
  explicit EnAvance(std::function<void()> travail) : m_fil(std::move(travail)) {}
  ~EnAvance() { attendre(); }
  void attendre() {
    if (m_fil.joinable())
      m_fil.join();
  }

private:
  std::thread m_fil;
};

// Reading the system's font configuration is the longest step before the
// first text can be painted: started first thing in main(), it runs while Qt
// connects to the display, and is waited for before the first widget asks
// for a font.
void lirePolices();
