#pragma once
// The stage-play scene (game state 4): sets a stage up, plays it frame by
// frame, offers the pause menu, shows the end of an attempt (clear, lost
// life, game over) and hands control back to the map, the title or the next
// attempt. Phases: 0 fade-in, 1 intro, 2 play, 3 pause menu, 4 stage end,
// 5 retry menu, 6 game over, 7 leave; -1 before the first frame.
//
// A frame's drawing is split in two: the advance (animations step, deaths
// that have played out end, effects and messages retire) and the pixels.
// Headless runs the advance alone, so the simulation is the same with and
// without a screen. Objects removed while a list is walked are gone at once
// for every walk, lookup and count, and are freed at the next safe point
// (the start of the scene's next frame).

#include <array>
#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "definitions/palette/chara_definition.h"
#include "foundation/checked_vector.h"
#include "project/system_elements.h"
#include "shell/game/scene.h"
#include "stage/draw/draw_state.h"
#include "stage/scene/summon_guard.h"
#include "stage/scroll/scroll_axis.h"

class cChara;
class cHero;
class cStageChara;
class cStageItem;
class cSaveData;
class cEdItem;
class cEdBlock;
class cInput;

enum StagePhase : int {
  kPhaseStart = -1,
  kPhaseFadeIn = 0,
  kPhaseIntro = 1,
  kPhasePlay = 2,
  kPhasePause = 3,
  kPhaseStageEnd = 4,
  kPhaseRetryMenu = 5,
  kPhaseEndWait = 6,
  kPhaseLeave = 7,
};

// How a play frame ended.
enum class FrameEnd : int { Drawn, NoDraw, PhaseChanged, Close };

// Summon-block modes.
enum SummonBlockMode : int { kSummonPut = 0, kSummonErase = 1, kSummonToggle = 2 };

inline constexpr int kSides = 8;
inline constexpr int kTitleCmdReplay = 4;
inline constexpr int kWakeGroups = 60;

class cStageScene : public cStageSceneBase {
 public:
  cStageScene();
  ~cStageScene() override;

  void Run() override;
  void Start() override;
  void FadeIn() override;
  void Leave() override;

  // Phases.
  void Intro();
  void PlayFrame();
  void PauseMenu();
  void StageEnd();
  void RetryMenu();
  void EndWait();

  // Set-up (set_up.cpp, spawning.cpp).
  void SetStage(int bLoadStage, int bFirstEntry);
  void SpawnChara(int column, int row, const cEdChara& definition, const cStageItem* dropItem);
  void SpawnItem(int column, int row, const cEdItem& definition);
  // Summons whose drawn cell starts at a dot position; the new characters,
  // in order.
  std::vector<cStageChara*> SpawnCharaAt(double x, double y, int facing, const cEdChara& definition);
  cStageItem* SpawnItemAt(double x, double y, const cEdItem& definition);
  // A put that would close on a guarded object leaves the cell as it is.
  void SetBlockAt(int x, int y, int mode, const cEdBlock& block, BlockGuards guards = {});

  // Frame pieces (frame_step.cpp).
  int CheckPauseKey();
  void UpdateActivity();

  // Drawing: the advance, then the pixels (draw_advance.cpp).
  void Draw(int play, int overlay, int animate, int hint);
  // 1 when the character's death has played out and it is to be removed.
  int DrawCharaAndCheckDeath(cStageChara& chara, int animate);
  // 1 when the hero's death has ended in a new attempt, set up here.
  int DrawHeroAndCheckDeath(int animate);

  // One frame of the modal sub-loop on its private input record (its
  // buttons of the frame before given); false when the wait has ended.
  bool PauseFrame(cInput& input, std::uint16_t previousButtons);

  // Lives and attempts (stage_lives.cpp).
  void ResetPlayState();
  int UseLife(cSaveData& data);

  // Removal: gone at once for walks, lookups and counts.
  void RemoveChara(cStageChara& chara);
  void RemoveItem(cStageItem& item);
  // Frees what was removed (a safe point of the game thread).
  void PurgeRemoved();

  // Deaths (deaths.cpp).
  int KillObject(cChara& chara);
  int KillAndCheckEnd(cChara& chara);
  int CheckDeaths();
  void HeroDied();

  int Phase() const { return m_nPhase; }
  void SetPhase(int phase) { m_nPhase = phase; }
  FrameEnd LastFrameEnd() const { return m_LastFrameEnd; }
  // The stage could not be set up (its surfaces, its replay, its hero, or
  // the file a free play starts over from): the failure has raised the
  // close, and the scene stands still until the program closes, whatever
  // the player answers, so nothing half made is ever played.
  bool SetUpFailed() const { return m_bSetUpFailed; }

  // Fields.
  std::int32_t m_nPhaseCounter = 0;
  std::int32_t m_nSavedPhase = 0;
  std::int32_t m_nSavedPhaseCounter = 0;
  std::int32_t m_nPendingOutcome = 0;  // 1 cleared, 2 hero dead
  std::int32_t m_nStageResult = 0;     // 1 once the stage is cleared
  std::array<std::vector<cChara*>, kSides> m_GroupLists;
  std::int32_t m_nWaitMode = 0;
  std::int32_t m_nWaitLeading = 0;
  std::int32_t m_bWaitForDecide = 0;
  std::int32_t m_nWaitFrames = 0;
  std::int32_t m_nSubStep = 0;
  std::int32_t m_nSubStepTotal = 0;
  std::int32_t m_nTimeLeft = 999;
  std::int32_t m_bTimeStopped = 1;
  std::int32_t m_nPlayFrames = 0;
  std::int32_t m_nPlayTime = 0;
  std::int32_t m_nBanner1 = 0;
  std::int32_t m_nBanner2 = 0;
  std::int32_t m_nEndBanner = 0;
  std::uint32_t m_nSeed = 0;
  std::int32_t m_bSwallowButtons = 0;
  std::int32_t m_bHpCheck = 0;
  std::array<std::int32_t, 3> m_bAreaOn{};
  std::int32_t m_nFrameCount = 0;
  cVector<std::uint8_t> m_vWakeGroups;
  cVector<std::int32_t> m_vStageVars;
  cVector<std::int32_t> m_vSubStepMask;
  std::array<std::int32_t, 5> m_nRankPlaces{-1, -1, -1, -1, -1};
  std::array<std::int32_t, 5> m_nResults{};
  // The stage end: a ranking place was reached (the new-record flag), and
  // the records were registered (once per stage end).
  std::int32_t m_bResultShown = 0;
  std::int32_t m_bRecordsRegistered = 0;
  // Set by the stage-clear command: the number of the next stage (0 none),
  // and the file the stage names itself as its next one, used when
  // m_bOwnNextStage is set.
  std::int32_t m_nNextStage = 0;
  std::string m_strNextStageFile;
  std::int32_t m_bOwnNextStage = 0;
  // The pause or retry menu being shown.
  cVector<cCmdItem> m_Menu;
  std::int32_t m_nHeroCount = 1;
  // Running serial numbers of the attempt: characters count up from 1 and
  // are never reused within it (heroes take negative numbers); items too.
  std::uint32_t m_nCharaSerial = 0;
  std::uint32_t m_nItemSerial = 0;
  std::int32_t m_nShotSerial = 0;  // the next shot's serial number
  std::int32_t m_nLastStageBgm = -1;
  std::int32_t m_nMenuCursor = 0;
  std::int32_t m_bFading = 0;
  // An item's first message has opened the window; later ones continue it.
  std::int32_t m_bItemMessageOpen = 0;
  // The lists "アイテムの取得" runs: one working copy per palette entry
  // (palette choice, index), made at its first take in the attempt, so a
  // binding stays in it for the attempt's later takes.
  std::map<std::pair<int, int>, cVector<cEdCmd>> m_TakenItemCmds;
  cStageDrawState m_Draw;

 private:
  // 1 when the end has set a new attempt up.
  int HeroDeathEnded();
  // The sub-step parts (frame_step.cpp); false ends the frame.
  bool StepExistenceTimers();
  bool StepBlockCharas();
  bool StepHero();
  bool StepOtherCharas();
  void StepRemovalAreas();
  bool StepHeroContacts();
  bool HeroDeath(const char* label);
  bool Goal();
  void SetStageLists();
  void SetUpHero();
  void SetUpObjects();
  void SetSubStepMask();
  void CheckStartingCharas();
  void TakeFrameInput();
  void FailSetUp();

  FrameEnd m_LastFrameEnd = FrameEnd::Drawn;
  bool m_bSetUpFailed = false;
};

// The group list of a side; side 0 after a report line for a side outside
// 0..7.
std::size_t SideIndex(int side);

// The running stage scene; null when none.
cStageScene* StageScene();
// The modal sub-loop of messages, waits and screen effects: frames of its
// own until the scene's wait record ends; 0 when the program was already
// closing, else 1.
int thPause(cStageScene& scene);
// Registers the stage scene's factory with the game object.
void RegisterStageScene();
