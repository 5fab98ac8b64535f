#pragma once
// The steps of the stage's frame, set-up and scene that belong to parts of
// the runtime built elsewhere: condition lists, the flow runtime, damage and
// death, the hero's own rules, shots, items, contact passes, stage end,
// menus and drawing. Each is one named call; until its owner fills it in,
// its body is neutral (nothing happens, conditions hold, no contact is
// found), so that the stage runs with the rules that are in place.

#include <cstdint>

#include "foundation/checked_vector.h"
#include "input/replay_save_keys.h"

class cCond;
class cChara;
class cStageObj;
class cStageScene;
class cStageItem;
struct cFlowState;

// Condition lists and appearance conditions.
int TestConditionList(const cVector<cCond>& conds, int mode);
int TestCharaConds(cChara& chara);
int TestItemConds(cStageItem& item);
int TestFlowConds(cChara& chara, cFlowState& flow);

// Flow runtime.
void StartFlow(cChara& chara, cFlowState& flow);
// Counts the flows started, so that a pass can tell whether what it set off
// ran anything.
inline std::uint64_t g_FlowStarts = 0;
// 1 when the flow has ended.
int RunFlow(cChara& chara, cFlowState& flow);
void RunFlowConditionWork(cChara& chara);

// Damage and death: knock-back decay, the death effect, and whether a
// death animation has played out (a drawn frame that does not advance
// holds it where it is).
void DecayImpactX(cChara& chara);
void DecayImpactY(cChara& chara);
void StartDeathEffect(cChara& chara);
int AdvanceCharaDeath(cChara& chara, int noAdvance = 0);

// Hero rules.
int SurviveSqueeze(cChara& hero);
int RunHeroBlockEffect(cStageScene& scene, cChara& hero);
int RunHeroItemBlock(cStageScene& scene, cChara& hero);

// Contacts: 0 none, 1 goal, 2 death (block characters: 2 deadly; built in
// stage/contacts).
void CarryRider(cChara& chara);
int HitBlockCharas(cChara& chara);
int CheckObjectContacts(cStageScene& scene);
int TouchItems(cStageScene& scene);
int TakeItem(cChara& hero, cStageItem& item);
int OverlapsBlockChara(cStageObj& obj);

// Shots, one sub-step; the shot list stays empty until shots are fired.
void StepShots(cStageScene& scene, int subStep);

// Stage end and the time limit.
void PrepareStageEnd(cStageScene& scene);
int CountTimeLimit(cStageScene& scene, int step);
void CountPlayTime(cStageScene& scene);

// Drawing (pixels); the advance of animations runs without them.
void DrawStagePixels(cStageScene& scene, int play, int overlay, int hint);
void DrawPauseMenu(cStageScene& scene);

// Save-data flags read by the pause menu: the current story stage allows
// retry and the return to the map; challenge entry n allows a retry.
int StoryStageFlag();
int ChallengeRetryFlag(int entry);
// The ranking registration of the stage end and the next state it chooses.
void StartRankingRegistration(cStageScene& scene);
int FinishStage(cStageScene& scene);
