#pragma once
// The player's hero. The player's keys act through its flows, which set the
// commanded speeds; what is the hero's own is how those speeds become
// motion: the commanded x speed accelerates it up to the stage's top speed
// (a friction block scales the push while its timer runs), gravity and the
// block collision carry it vertically, and the view follows it inside the
// scroll limits. After a mode change a short grace lets it survive a
// squeeze, put back on its restart point when the change asked for it. Its
// jump rules come with the hero's remaining work.

#include <cstdint>
#include <vector>

#include "definitions/command_record.h"
#include "stage/chara/chara.h"

class cHero : public cChara {
 public:
  // Heroes take numbers no character serial ever takes.
  static constexpr std::int32_t kFirstHeroNumber = -1;

  // Placed from its definition at stage cell (column, row).
  void Place(int heroIndex, const cEdChara& definition, int column, int row);
  bool IsHero() const override { return true; }

  // The scroll follows the hero, then the hero is kept inside the stage's
  // outer range (inner range while floating); the step code of that clamp.
  int ClampX() override;
  int ClampY() override;
  // One sub-step of motion; x returns 0, y the step code (7: fell out).
  int StepX() override;
  int StepY() override;
  // Asked before a squeezed hero is killed: 1 while the grace after a mode
  // change lasts; a pending restore then puts the hero back on its restart
  // point, once.
  int SurviveSqueeze();

  std::int32_t fallFlag = 0;
  std::int32_t dirLock = 0;
  std::int32_t buttonLock = 0;
  std::int32_t itemBlockCooldown = 0;
  std::int32_t blockEffectKind = 0;
  std::int32_t blockEffectTimer = 0;
  double blockEffectFactor = 1.0;  // the friction block's factor
  double speedScale = 4.0;         // 4 / speed level
  std::int32_t restartSaved = 0;
  double restartX = 0, restartY = 0, restartRight = 0, restartBottom = 0;
  std::int32_t restorePending = 0;
  double prevValues[2] = {0, 0};
  // "フローの変更" given while the hero's own flows run.
  std::vector<cEdCmd> queuedFlowChanges;
};

// The fall flag of the player's hero (a player-operated object fell off a
// ledge).
void MarkPlayerHeroFalling();
