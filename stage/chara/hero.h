#pragma once
// The player's hero. The player's keys act through its flows, which set the
// commanded speeds; what is the hero's own is how those speeds become
// motion: the commanded x speed is added to the velocity, limited to the
// stage's top speed (a friction block scales the push while its timer
// runs), gravity and the block collision carry it vertically, and the view
// follows it inside the scroll limits. Its boxes come from the stage's hero
// settings rather than its definition, and can be shown on the screen.
// After a mode change a short grace lets it survive a squeeze, put back on
// its restart point when the change asked for it. A flow change given to
// the hero while its own flows run waits in a queue until they have run.

#include <cstdint>
#include <list>
#include <vector>

#include "definitions/command_record.h"
#include "stage/chara/chara.h"

class cInput;

// One of the four boxes as the box display shows it.
struct HeroBoxDisplay {
  enum Kind : std::int32_t { kHitBox = 0, kBodyBox = 1, kItemBox = 2, kShotBox = 3 };
  enum Style : std::int32_t { kHidden = 0, kFilled = 1, kFrame = 2 };
  std::int32_t kind = kHitBox;
  std::int32_t style = kHidden;
  std::int32_t colour = 0;  // palette index of the first of its four shades
  std::int32_t step = 0;    // 0..31: the shade moves on every 8 frames
};

class cHero : public cChara {
 public:
  // Heroes take numbers no character serial ever takes.
  static constexpr std::int32_t kFirstHeroNumber = -1;

  // Placed from its definition at stage cell (column, row) (hero_settings.cpp).
  void Place(int heroIndex, const cEdChara& definition, int column, int row);
  bool IsHero() const override { return true; }

  // A movement mode change ("ステータスの操作2" and placement): the boxes
  // follow the mode; `save` keeps the position as the restart point,
  // `restore` puts the hero back there if a squeeze comes in the grace
  // after the change; `scale` multiplies the boxes by the size factor.
  void ApplySettings(int mode, int scale, int save, int restore);
  // Rebuilds the box display from the stage's display settings, larger
  // boxes first so that smaller ones are drawn over them.
  void SetupHeroGraphics();
  // The box a display entry shows, in stage dots from the drawn cell's
  // top-left.
  void BoxOfKind(int kind, int& x, int& y, int& width, int& height) const;
  void ScaleChanged(int factor) override;
  void UpdateBoxX() override;
  void UpdateBoxY() override;

  // The scroll follows the hero, then the hero is kept inside the stage's
  // outer range (inner range while floating); the step code of that clamp.
  int ClampX() override;
  int ClampY() override;
  // One sub-step of motion; x returns 0, y the step code (7: fell out).
  int StepX() override;
  int StepY() override;
  // The hero's flows for one sub-step, then its queued flow changes; 1
  // when its HP has fallen below 1 (hero_flows.cpp).
  int RunFlows(int dying) override;
  // Asked before a squeezed hero is killed: 1 while the grace after a mode
  // change lasts; a pending restore then puts the hero back on its restart
  // point, once.
  int SurviveSqueeze();
  // The jump command, every sub-step while it runs (hero_jump.cpp): a held
  // key jumps higher, a key released early cuts the rise short.
  void StartJump(cCmdState& entry) override;

  // The items the hero overlaps now are not taken again until it leaves
  // them.
  int IsNotTouching(std::int32_t itemId) const;
  void ForgetTouch(std::int32_t itemId);
  // A taken item's message: its graphic cell (graphic kind, number, cell)
  // rises over the hero for half a second.
  void ShowItemMessage(int kind, int number, int cell);

  // Inputs the player's commands may lock.
  std::int32_t dirLock = 0;
  std::int32_t buttonLock = 0;
  cInput* input = nullptr;  // the player's input record
  // The held jump.
  std::int32_t jumpHoldCount = 0;
  std::int32_t mayJump = 1;
  std::int32_t jumpForbidden = 0;  // stands on a "ジャンプ禁止" block
  std::int32_t jumpDoneThisStep = 0;
  std::int32_t inputLatches[2] = {0, 0};
  double speedScale = 4.0;  // 4 / speed level
  std::int32_t existTimeCopy = 0;  // the existence timer as the sub-step began
  // The restart point and the squeeze grace's restore.
  std::int32_t restartSaved = 0;
  double restartX = 0, restartY = 0, restartRight = 0, restartBottom = 0;
  std::int32_t restorePending = 0;
  // Items: the ones overlapped now, and the wait before a block gives its
  // item again.
  std::list<std::int32_t> touchedItems;
  std::int32_t itemBlockCooldown = 0;
  std::int64_t itemBlockCell = -1;  // the block stood on in the last sub-step
  // The block effect under the hero: 3 friction (factor), 4 and 5
  // conveyors (speed); the timer runs it for one frame of sub-steps.
  std::int32_t blockEffectKind = 0;
  std::int32_t blockEffectTimer = 0;
  double blockEffectFactor = 1.0;
  std::int32_t frameCounter = 0;
  // The second box is cChara's body box, the third its shot box; the
  // fourth meets items.
  CharaBox itemBox;
  std::vector<HeroBoxDisplay> boxDisplay;
  // "フローの変更" given while the hero's own flows run.
  std::vector<cEdCmd> queuedFlowChanges;
};

// Raises the falling flag of the player's hero (a player-operated object
// fell off a ledge).
void MarkPlayerHeroFalling();
// A player-operated object stands on or rides a block character: the
// player's hero may jump again.
void ClearPlayerJumpForbidden();
