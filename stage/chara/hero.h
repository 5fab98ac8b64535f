#pragma once
// The player's hero. Its own rules (input, jumps, squeezes, block effects)
// come with the hero's work; here it is placed at its start cell and takes
// part in the frame step as a character operated by the player.

#include <cstdint>

#include "stage/chara/chara.h"

class cHero : public cChara {
 public:
  // Heroes take numbers no character serial ever takes.
  static constexpr std::int32_t kFirstHeroNumber = -1;

  // Placed from its definition at stage cell (column, row).
  void Place(int heroIndex, const cEdChara& definition, int column, int row);
  bool IsHero() const override { return true; }

  std::int32_t fallFlag = 0;
  std::int32_t dirLock = 0;
  std::int32_t buttonLock = 0;
  std::int32_t itemBlockCooldown = 0;
  std::int32_t blockEffectKind = 0;
  std::int32_t blockEffectTimer = 0;
  double prevValues[2] = {0, 0};
};

// The fall flag of the player's hero (a player-operated object fell off a
// ledge).
void MarkPlayerHeroFalling();
