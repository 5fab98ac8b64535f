#pragma once
// A character on the stage: the common base of the stage characters and the
// heroes. On top of the moving object it embeds a copy of its definition
// (commands change statuses there, never in the palette), HP and SP with
// their gauges, the character variables, the running flows and the flag sets
// they raise, four target slots and the parent link with the back-references
// that keep them honest, the invincibility timers, the saved position that
// undoes a squeeze, and the extra animations started by commands.

#include <array>
#include <cstdint>
#include <limits>
#include <list>
#include <vector>

#include "definitions/palette/chara_definition.h"
#include "stage/chara/flow_state.h"
#include "stage/draw/effects/chara_effect_slot.h"
#include "stage/objects/stage_obj.h"

class cChara;
class cStageItem;
class cStageShot;

struct CharaLink {
  cChara* holder = nullptr;
  std::int32_t slot = 0;  // 0..3 a target slot, 4 the parent link
  bool operator==(const CharaLink&) const = default;
};

// A shot that names the character: as its target (role 0) or its owner (4).
struct ShotLink {
  cStageShot* shot = nullptr;
  std::int32_t role = 0;
  bool operator==(const ShotLink&) const = default;
};

struct Gauge {
  std::int32_t timer = 0;  // frames left visible
  double change = 0;       // dots
  double step = 0;         // dots per frame
  std::int32_t bar = 0;    // dots
};

struct AttackerGuard {
  std::uint32_t attackerSerial = 0;  // never reused, so a dead attacker cannot alias
  std::int32_t left = 0;
};

struct ExtraAnime {
  cAnimePlayer player;
  std::int32_t timed = 0;
  std::int32_t timeLeft = 0;
  std::int32_t secondCount = 0;
  std::int32_t flowId = 0;
  std::int32_t done = 0;
};

// A box that follows the character (body attacks, shot hits): left =
// trunc(x) + offset x, right = left + width - 1, likewise top and bottom.
struct CharaBox {
  double left = 0, top = 0, right = 0, bottom = 0;
  std::int32_t offsetX = 0, offsetY = 0, width = 0, height = 0;
  std::int32_t baseOffsetX = 0, baseOffsetY = 0, baseWidth = 0, baseHeight = 0;

  void SetBase(int ox, int oy, int w, int h);
  void Scale(int factor);
  void FollowX(double x);
  void FollowY(double y);
};

// A flow list taken out of play while the character's flows were being
// walked (flow_walk.h).
struct RetiredFlows {
  cVector<cEdFlow> definitions;
  std::vector<cFlowState> states;
};

inline constexpr int kTargetSlots = 4;
inline constexpr int kParentSlot = 4;
inline constexpr int kFlagLetters = 27;

class cChara : public cStageObj {
 public:
  cChara();
  ~cChara() override;
  cChara(const cChara&) = delete;
  cChara& operator=(const cChara&) = delete;

  void ShiftYForScale(int newFactor, int oldFactor, int keepFlag) override;
  void SetPos(double x, double y) override;
  void SetPosAndStop(double x, double y, cFlowState* cmd) override;
  void SetCenterX(double x) override;
  void SetCenterXAndStop(double x, cFlowState* cmd) override;
  void SetCenterY(double y) override;
  void SetCenterYAndStop(double y, cFlowState* cmd) override;
  void HitBlockAbove() override;
  void LandOnBlock() override;
  void RunTriggeredFlowsOfKind(int kind) override { RunTriggeredFlows(kind, nullptr, 0); }

  virtual cStageItem* GetDropItem() { return nullptr; }
  virtual int StepX() { return 0; }
  virtual int StepY() { return 0; }
  virtual int RunFlows(int) { return 0; }
  // The jump command's start, every sub-step while its entry runs.
  virtual void StartJump(cCmdState&) {}

  // Set-up from a definition (none: the state is only cleared), as copy
  // `cloneIndex` of its stage entry or summon (the hero: 0); the base
  // character effect the definition names starts with its run mode and loop.
  void ResetChara(const cEdChara* def, int cloneIndex);
  void SetBlockPosX(int column);
  void SetBlockPosY(int row, int keepFlag);
  void SetBlockPos(int column, int row, int keepFlag);
  void SetGraphicBox(int tall, int width, int height);
  void SetParent(cChara* parent);

  // HP and SP (chara_hp.cpp).
  int AddHp(int n, int force, int showGauge);
  void StartHpGauge(int n);
  int AddSp(int n, int showGauge);
  void StartSpGauge(int n);

  // Flows (chara_flows.cpp).
  void RunTriggeredFlows(int kind, cChara* other, int idLetter);
  int RemoveFlowsById(int id);
  void RemoveCharaFlow(int n);
  void SetFlows(const cVector<cEdFlow>& flows);
  void RebuildFlowStates();
  void ClearFrameFlags();
  // One pass over the running flows (only those of "死亡した時" while
  // dying); 1 as soon as the character is destroyed by them.
  int StepRunningFlows(int dying);
  // After the pass: the flows marked for removal go, and each flag letter
  // raised at a flow's end clears its start flag.
  void FinishFlowPass();
  // The animation a command asked for this sub-step, else the idle one
  // while no command pushes the character.
  void ChangeToRequestedPattern();

  // Per sub-step (chara.cpp).
  void StepInvincibleTimers();
  void ClearPressedFlags();
  void SavePos();
  void RestorePos();
  void ApplyGravity();
  void StopFall(int mark);

  // Extra animations (chara_anims.cpp).
  int StepCharaAnim(int noAdvance);
  void StopFlowAnims(int flowId);
  void RemoveListEntriesById(int flowId);
  void ClearEntryFlagById(int flowId);
  void SetBaseAnimeSet(int n, int force);

  // Death (chara_death.cpp): 1 when the death ends the stage.
  int KillChara();

  // Links (chara_links.cpp).
  void ReleaseCharaLinks();
  bool IsInvincibleTo(std::uint32_t attackerSerial) const;

  bool Floats() const { return moveA != 0; }

  std::uint32_t serial = 0;  // unique over the whole run; never reused
  cChara* copySource = nullptr;
  std::array<cChara*, kTargetSlots> targets{};
  cChara* parent = nullptr;
  std::vector<CharaLink> backRefs;
  std::vector<ShotLink> shotRefs;
  std::int32_t summonedByAttack = 0;
  std::uint8_t summonFlowId = 0;
  cEdChara def;
  std::vector<cFlowState> flows;
  std::int32_t flowWalkDepth = 0;  // walks over the flows now running
  std::vector<RetiredFlows> retiredFlows;
  // Bindings that item commands queued for the next item command (the
  // player's hero takes items; they carry over to later items).
  std::vector<cArrange> itemArranges;
  std::int32_t cloneValue = 0;   // the copy index within its entry or summon; 0 for the first and the hero
  std::int32_t flowCounter = 0;  // serial of the next flow state
  std::int32_t flowEnded = 0;    // a flow with a flag letter ended this step
  std::int32_t condLatch = 0;    // the appearance conditions held once
  // Flag letters of the flows: 0 running, 1 ended, 2 started this step.
  std::array<std::array<std::uint8_t, kFlagLetters>, 3> flagSets{};
  // Work flags of movement, jump and landing.
  std::int32_t onGround = 0, headBump = 0, knockedBack = 0, dead = 0, vanish = 0, removed = 0;
  std::int32_t jumping = 0, airborne = 0, jumpHold = 0, gravityOff1 = 0, gravityOff2 = 0;
  std::int32_t landingMark = 0, hitFlag1 = 0, hitFlag2 = 0, squeezeGrace = 0;
  std::int32_t animeOverride = -1, cmdHidden = 0, friction1 = 1, friction2 = 1;
  double cmdSpeedX = 0, cmdSpeedY = 0;
  double savedX = 0, savedY = 0, savedRight = 0, savedBottom = 0;
  // Riding a block character: its number and its box when last registered.
  std::int32_t riddenId = std::numeric_limits<std::int32_t>::min();  // none
  double carrierX = 0, carrierY = 0, carrierRight = 0, carrierBottom = 0;
  std::int32_t hp = 0, sp = 0;
  Gauge hpGauge, spGauge;
  Gauge shownHpGauge, shownSpGauge;  // the gauges as the last draw showed them
  std::array<std::int32_t, 9> vars{};
  std::int32_t invincibleTime = 0;
  std::list<AttackerGuard> attackerGuards;
  std::list<ExtraAnime> extraAnimes;
  std::int32_t baseAnimeSet = -1;
  std::int32_t sightDots = 0;
  double stopDecel = 0;
  double knockYBefore = 0;  // the knock-back speed y of the last y step
  std::int32_t deathEffectRunning = 0;
  std::int32_t drawnFrame = 0;  // the animation frame the last draw showed
  cCharaEffectSlot effect;       // the running character effect
  cCharaEffectSlot shownEffect;  // the effect as the last draw showed it
  std::int32_t deathCounter = 0;
  CharaBox bodyBox, shotBox;

  // Work words of the movement commands. The two push words are the ledge
  // signals of "地上折り返し移動" (no ground under the left / right foot),
  // which every other movement command, a cancel and a warp clear. The
  // animation request's level lets a moving request outrank a still one
  // within a sub-step. The placement is the centre of the cell the character
  // was placed on (targets "relative to the placement").
  std::int32_t pushLeft = 0, pushRight = 0;
  std::int32_t moveCancelled = 0;
  std::int32_t animeLevel = 0;
  double placedX = 0, placedY = 0;
};

// The character whose number equals `number`: the heroes first, then the
// stage's characters; null when none (removed characters are gone).
cChara* FindCharaById(int number);
// Stores a target (the trigger check and target selection): keeps the
// back-references of the old and the new target in step.
void SetTarget(cChara& holder, int slot, cChara* target, int clearOnNull);
