#pragma once
#include <thread>

// Reading the system's font configuration is the longest step before the
// first text can be painted. Started first thing in main(), it runs on the
// other core while Qt connects to the display; attendre() is called before
// the first widget asks for a font.
class PolicesEnAvance {
public:
  PolicesEnAvance();
  ~PolicesEnAvance() { attendre(); }
  void attendre() {
    if (m_fil.joinable())
      m_fil.join();
  }

private:
  std::thread m_fil;
};
