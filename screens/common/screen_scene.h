#pragma once
// The common frame of the game screens (title, world map, map menu,
// challenge, options): the first frame starts the screen and its fade-in;
// every frame then turns the player's input into menu input (the held
// directions repeat, the screen's buttons count once per press) before the
// current phase runs.

#include <cstdint>

#include "shell/game/scene.h"

class cScreenScene : public cScene {
 public:
  // latchMask: the buttons that count once per press (bit n = button n).
  cScreenScene(int state, std::uint16_t latchMask);
  void Run() override;

  int Phase() const { return m_nPhase; }
  int SubPhase() const { return m_nSubPhase; }

 protected:
  static constexpr int kPhaseStart = -1;
  int m_nSubPhase = 0;

 private:
  std::uint16_t m_wLatchMask;
};
