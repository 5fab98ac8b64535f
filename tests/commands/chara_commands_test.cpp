// The character commands by family on a small stage: flow operations
// (restart, pause with the flow's animations, delete by ID on itself and on
// another), removal ("消滅" by ID, descendants to depth 1000, the status
// "消滅"), the switches of "ステータスの操作2", the looks (graphic,
// animation set, an animation tagged with its flow) and the scene commands
// (background layers, sound, music), the warp.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "commands/dispatch/command_table.h"
#include "commands/flow_ops/flow_control.h"
#include "commands/flows/flow_install.h"
#include "commands/flows/flow_runtime.h"
#include "commands/install.h"
#include "commands/looks/look_commands.h"
#include "commands/scene_fx/scene_fx_commands.h"
#include "commands/world/status_op2.h"
#include "commands/world/vanish.h"
#include "commands/world/warp.h"
#include "commands/dispatch/directions.h"
#include "stage/objects/stage_space.h"
#include "stage/shots/shot_list.h"
#include "definitions/param_table.h"
#include "definitions/stage/stage_record.h"
#include "project/database.h"
#include "shell/game/game_clock.h"
#include "project/global_data.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/current_actor.h"
#include "tests/commands/command_builders.h"
#include "tests/stage/stage_fixture.h"

namespace {

cEdCmd AddToStageVar(int index, int n) { return CharaCmd(kCmdStatus, {{0, 1}, {1, 1}, {2, index}, {5, 1}, {7, n}}); }

cEdFlow Flow(std::initializer_list<cEdCmd> commands, int id = 0) {
  cEdFlow flow;
  flow.m_nId = static_cast<std::uint8_t>(id);
  flow.m_vCmds = commands;
  return flow;
}

class CharaCommandsTest : public testing::Test {
 protected:
  CharaCommandsTest() : run((InstallCommands(), BuildParamTable(), Stage())) {
    hero = run.harness.Hero();
    scene = &run.harness.Scene();
    scene->m_vStageVars.resize(10);
    g_CharaList.ForEach([&](cStageChara& chara) { charas.push_back(&chara); });
  }
  static StageBuilder Stage() {
    StageBuilder builder(20, 15, 2, 10);
    for (int i = 0; i < 3; ++i) builder.Chara(5 + i, 10).m_nCharaId = static_cast<std::uint8_t>(i == 2 ? 4 : 3);
    builder.stage.m_vBackground.resize(2);
    return builder;
  }
  // One step of a character's flow as its step runs it.
  int Step(cChara& chara, cFlowState& flow) {
    g_CurrentActor.chara = &chara;
    const int ended = commands::RunFlow(chara, flow);
    g_CurrentActor.Clear();
    return ended;
  }
  int Var(int index) { return scene->m_vStageVars[index]; }

  // A clock a test may give the game: it outlives the harness, which takes
  // the game's clock back when it goes.
  cManualClock clock;
  StageRun run;
  cHero* hero = nullptr;
  cStageScene* scene = nullptr;
  std::vector<cStageChara*> charas;
};

TEST_F(CharaCommandsTest, StartingTheRunningFlowSkipsTheRestOfTheStepAndBeginsAgain) {
  cStageChara& a = *charas[0];
  SetFlowList(a, {Flow({AddToStageVar(1, 1), CharaCmd(kCmdFlowControl, {{0, kFlowOpStart}}), AddToStageVar(2, 1)})},
              kReplaceFlows, -1, 1);
  cFlowState& flow = a.flows[0];
  commands::StartFlow(a, flow);
  Step(a, flow);  // entry 0
  Step(a, flow);  // the restart
  EXPECT_EQ(flow.stopThisStep, 1);
  Step(a, flow);  // entry 0 again
  EXPECT_EQ(Var(1), 2);
  EXPECT_EQ(Var(2), 0);
}

TEST_F(CharaCommandsTest, PauseHoldsAndResumeReleasesTheFlowsAnimations) {
  cStageChara& a = *charas[0];
  g_AnimeFrameTable.resize(2);
  g_AnimeFrameTable[1] = {{1, 10, 0}, {kPatternEnded, 0, 0}};
  SetFlowList(a, {Flow({CharaCmd(kCmdAnime, {{0, 1}})}, 5), Flow({CharaCmd(kCmdWait)}, 5)}, kReplaceFlows, -1, 1);
  g_CurrentActor.flow = &a.flows[0];
  PlayAnim(a, CharaCmd(kCmdAnime, {{0, 1}}));
  g_CurrentActor.Clear();
  PlayAnim(a, CharaCmd(kCmdAnime, {{0, 1}}));  // no flow: as an item runs it
  ASSERT_EQ(a.extraAnimes.size(), 2u);
  EXPECT_EQ(a.extraAnimes.back().flowId, a.flows[0].serial);
  EXPECT_EQ(a.extraAnimes.front().flowId, -1);
  a.extraAnimes.back().timeLeft = 5;
  g_CurrentActor.flow = &a.flows[1];
  ControlFlows(a, CharaCmd(kCmdFlowControl, {{0, kFlowOpPause}, {1, kScopeOtherFlows}}));
  EXPECT_EQ(a.flows[0].paused, 1);
  EXPECT_EQ(a.extraAnimes.back().done, 1);
  ControlFlows(a, CharaCmd(kCmdFlowControl, {{0, kFlowOpResume}, {1, kScopeOtherFlows}}));
  EXPECT_EQ(a.flows[0].paused, 0);
  EXPECT_EQ(a.extraAnimes.back().done, 0);
  ControlFlows(a, CharaCmd(kCmdFlowControl, {{0, kFlowOpEnd}, {1, kScopeOtherFlows}}));
  EXPECT_EQ(a.extraAnimes.size(), 1u);  // the ended flow's animation is gone, the other stays
  g_CurrentActor.Clear();
}

TEST_F(CharaCommandsTest, DeleteByIdIsDeferredOnItselfAndAtOnceOnAnother) {
  cStageChara& a = *charas[0];
  cStageChara& b = *charas[1];
  const cEdFlow wait = Flow({CharaCmd(kCmdWait)}, 2);
  SetFlowList(a, {wait, wait, Flow({CharaCmd(kCmdWait)}, 1)}, kReplaceFlows, -1, 1);
  SetFlowList(b, {wait, wait, Flow({CharaCmd(kCmdWait)}, 1)}, kReplaceFlows, -1, 1);
  SetTarget(a, 0, &b, 1);
  g_CurrentActor.chara = &a;
  g_CurrentActor.flow = &a.flows[2];
  ControlFlows(a, CharaCmd(kCmdFlowControl, {{0, kFlowOpDelete}, {1, kScopeFlowId}, {2, 2}, {3, 1}}));
  EXPECT_EQ(b.flows.size(), 1u);  // both adjacent flows of ID 2
  ControlFlows(a, CharaCmd(kCmdFlowControl, {{0, kFlowOpDelete}, {1, kScopeFlowId}, {2, 2}}));
  EXPECT_EQ(a.flows.size(), 3u);
  EXPECT_EQ(a.flows[0].removePending + a.flows[1].removePending, 2);
  g_CurrentActor.Clear();
  a.RunFlows(0);
  EXPECT_EQ(a.flows.size(), 1u);
  // A condition list that does not hold stops the command; an empty slot too.
  cEdCmd guarded = CharaCmd(kCmdFlowControl, {{0, kFlowOpDelete}, {1, kScopeFlowId}, {2, 1}, {3, 1}});
  guarded.m_CondList.Emplace();
  guarded.m_CondList->m_bUse = 1;
  guarded.m_CondList->m_nMode = kCondAny;  // an empty any-list never holds
  ControlFlows(a, guarded);
  EXPECT_EQ(b.flows.size(), 1u);
  ControlFlows(a, CharaCmd(kCmdFlowControl, {{0, kFlowOpDelete}, {1, kScopeFlowId}, {2, 1}, {3, 2}}));
  EXPECT_EQ(b.flows.size(), 1u);
}

TEST_F(CharaCommandsTest, VanishByIdOnScreenAndDescendantsDownToTheLimit) {
  cStageChara& a = *charas[0];
  for (cStageChara* chara : charas) chara->onScreen = 1;
  charas[1]->onScreen = 0;
  Vanish(a, CharaCmd(kCmdVanish, {{0, kVanishCharaId}, {1, 3}}));
  EXPECT_TRUE(a.removed);
  EXPECT_FALSE(charas[1]->removed);  // off the screen
  EXPECT_EQ(scene->m_bHpCheck, 0);
  Vanish(*charas[2], CharaCmd(kCmdVanish, {{0, kVanishCharaId}, {1, 3}, {2, 1}}));
  EXPECT_TRUE(charas[1]->removed);
  EXPECT_EQ(scene->m_bHpCheck, 1);
  hero->def.m_nCharaId = 4;
  hero->onScreen = 1;
  Vanish(*charas[2], CharaCmd(kCmdVanish, {{0, kVanishCharaId}, {1, 4}}));
  EXPECT_EQ(hero->hp, 0);  // a hero is killed, not removed
  EXPECT_TRUE(charas[2]->removed);

  // A chain of 1002 summoned characters: the 1000 levels below the root go.
  std::vector<cStageChara*> chain;
  for (int i = 0; i < 1002; ++i) {
    chain.push_back(&g_CharaList.Append(std::make_unique<cStageChara>()));
    chain.back()->onScreen = 1;
    if (i > 0) chain.back()->SetParent(chain[static_cast<std::size_t>(i - 1)]);
  }
  Vanish(*chain[0], CharaCmd(kCmdVanish, {{0, kVanishDescendants}, {2, 1}}));
  int removed = 0;
  for (const cStageChara* link : chain) removed += link->removed;
  EXPECT_EQ(removed, kMaxVanishDepth);
  EXPECT_FALSE(chain[0]->removed);
  EXPECT_FALSE(chain[1001]->removed);
}

TEST_F(CharaCommandsTest, VanishShotsBySideAndAsChildren) {
  cStageChara& a = *charas[0];
  charas[1]->SetParent(&a);
  const auto fire = [](cChara* owner, int side, int onScreen) {
    auto shot = std::make_unique<cStageShot>();
    shot->owner = owner;
    shot->side = side;
    shot->onScreen = onScreen;
    return AddShot(std::move(shot));
  };
  cStageShot* ofSide = fire(nullptr, 3, 1);
  cStageShot* offScreen = fire(nullptr, 3, 0);
  cStageShot* own = fire(&a, 1, 1);
  cStageShot* childs = fire(charas[1], 1, 1);
  Vanish(a, CharaCmd(kCmdVanish, {{0, kVanishShotId}, {1, 3}}));
  EXPECT_TRUE(ofSide->removed);
  EXPECT_FALSE(offScreen->removed);
  Vanish(a, CharaCmd(kCmdVanish, {{0, kVanishChildShots}}));
  EXPECT_TRUE(own->removed);
  EXPECT_TRUE(a.shotRefs.empty());
  EXPECT_FALSE(childs->removed);
  EXPECT_FALSE(charas[1]->removed);
  Vanish(a, CharaCmd(kCmdVanish, {{0, kVanishDescendantsWithShots}}));
  EXPECT_TRUE(childs->removed);
  EXPECT_TRUE(charas[1]->removed);

  // During the contact pass every scope only marks the shots it takes, so
  // the pass still sees them.
  charas[2]->SetParent(&a);
  cStageShot* byId = fire(nullptr, 3, 1);
  cStageShot* ownLater = fire(&a, 1, 1);
  cStageShot* grandchilds = fire(charas[2], 1, 1);
  g_ShotRemovalLocked = 1;
  Vanish(a, CharaCmd(kCmdVanish, {{0, kVanishShotId}, {1, 3}}));
  Vanish(a, CharaCmd(kCmdVanish, {{0, kVanishShotsThenDescendants}}));
  g_ShotRemovalLocked = 0;
  for (const cStageShot* shot : {byId, ownLater, grandchilds}) {
    EXPECT_FALSE(shot->removed);
    EXPECT_TRUE(shot->removeMark);
  }
  RemoveMarkedShots();
  for (const cStageShot* shot : {byId, ownLater, grandchilds}) EXPECT_TRUE(shot->removed);
}

TEST_F(CharaCommandsTest, WarpByDirectionFromATargetAndOntoATargetPoint) {
  cStageChara& a = *charas[0];
  cStageChara& b = *charas[1];
  const auto centre = [](const cChara& chara) {
    return std::pair<double, double>{std::trunc(chara.x) - chara.graphicOffsetX + (chara.drawWidth >> 1),
                                     std::trunc(chara.y) - chara.graphicOffsetY + (chara.drawHeight >> 1)};
  };
  cEdCmd warp = CharaCmd(kCmdWarp);
  cEdMove& move = warp.m_Move.Emplace();
  move.m_nDirection = kDirUp;  // vertical even for a character that walks
  move.m_nDistance = 2;
  const auto [x0, y0] = centre(a);
  a.pushLeft = 1;
  Warp(a, warp);
  EXPECT_EQ(centre(a), (std::pair<double, double>{x0, y0 - 32}));
  EXPECT_EQ(a.pushLeft, 0);
  move.m_nWarpMode = kWarpFromTarget1 + 1;  // slot 2 is empty: nothing
  Warp(a, warp);
  EXPECT_EQ(centre(a), (std::pair<double, double>{x0, y0 - 32}));
  SetTarget(a, 1, &b, 1);
  move.m_nDirection = kDirDownRight;
  move.m_nDistance = 4;
  Warp(a, warp);
  const auto [bx, by] = centre(b);
  const double step = 64 / std::sqrt(2.0);
  EXPECT_NEAR(centre(a).first, bx + step, 1.0);
  EXPECT_NEAR(centre(a).second, by + step, 1.0);
  // By the old rule a walking base allows no vertical part; a floating one does.
  {
    const SystemSwitch byMover(&cSystem::m_nCompat721, 1);
    Warp(a, warp);
    EXPECT_NEAR(centre(a).first, bx + step, 1.0);
    EXPECT_NEAR(centre(a).second, by, 1.0);
    move.m_nDirection = kDirUp;
    Warp(a, warp);
    EXPECT_NEAR(centre(a).second, by, 1.0);
    b.moveA = 1;
    Warp(a, warp);
    EXPECT_NEAR(centre(a).second, by - 64, 1.0);
    b.moveA = 0;
  }
  Warp(a, warp);
  EXPECT_NEAR(centre(a).second, by - 64, 1.0);
  move.m_nWarpMode = kWarpToTargetPoint;
  move.m_nTargetBase = 2;  // absolute: cell (3, 4)
  move.m_nTargetXBl = 3;
  move.m_nTargetYBl = 4;
  move.m_bMirrorTargetX = 0;
  Warp(a, warp);
  EXPECT_NEAR(centre(a).first, (g_StageSpace.blockOffsetX + 3) * 32 + 16.0, 1.0);
  EXPECT_NEAR(centre(a).second, (g_StageSpace.blockOffsetY + 4) * 32 + 16.0, 1.0);
}

TEST_F(CharaCommandsTest, AnEffectIsPlacedAndTheGameWaitsForItsAnimation) {
  SetGameClock(clock.AsGameClock());  // the modal sub-loop's frames pass at once
  cStageChara& a = *charas[0];
  g_Database->m_vEffect.resize(2);
  g_Database->m_vEffect[1].m_nCellWidth = 20;
  g_Database->m_vEffect[1].m_nCellHeight = 10;
  g_EffectFrameTable.resize(2);
  g_EffectFrameTable[1] = {{kPatternEnded, 0, 0}};  // no frames: no wait, the effect stays listed
  auto& effects = scene->m_Draw.stageEffects;
  RunEffect(a, CharaCmd(kCmdEffect, {{0, 1}, {1, 4}, {2, 2}, {3, 3}, {4, 5}, {5, 6}, {6, 200}}));
  ASSERT_EQ(effects.size(), 1u);
  EXPECT_EQ(effects.back().x, (g_StageSpace.blockOffsetX + 2) * 32 + 5);
  EXPECT_EQ(effects.back().y, (g_StageSpace.blockOffsetY + 3) * 32 + 6);
  EXPECT_EQ(effects.back().width, 40);
  RunEffect(a, CharaCmd(kCmdEffect, {{0, 1}, {1, 0}, {6, 100}}));
  EXPECT_EQ(effects.back().x, g_StageSpace.scrollX.position + 320 - 10);
  EXPECT_EQ(effects.back().y, g_StageSpace.scrollY.position + 240 - 5);
  RunEffect(a, CharaCmd(kCmdEffect, {{0, 5}, {1, 0}, {6, 100}}));  // no such effect
  EXPECT_EQ(effects.size(), 2u);
  effects.clear();
  g_EffectFrameTable[1] = {{0, 2, 0}, {0, 2, 0}, {kPatternEnded, 0, 0}};
  RunEffect(a, CharaCmd(kCmdEffect, {{0, 1}, {1, 1}, {6, 100}}));
  ASSERT_EQ(effects.size(), 1u);
  EXPECT_EQ(effects.back().anime.GetFrame(), kPatternEnded);  // played out while the game waited
  GameWait(a, CharaCmd(kCmdGameWait, {{0, 1}}));
  EXPECT_LT(scene->m_nWaitFrames, 0);  // the six frames have passed
  EXPECT_GE(clock.Now(), 1000u + 100u);
}

TEST_F(CharaCommandsTest, StatusTwoSwitchesAndSize) {
  cStageChara& a = *charas[0];
  SetTarget(a, 1, charas[1], 1);
  RunStatusOperation2(a, CharaCmd(kCmdStatus2, {{0, 2}, {1, kStatus2Transparent}, {2, 1}}));
  EXPECT_EQ(charas[1]->def.m_bTransparent, 1);
  RunStatusOperation2(a, CharaCmd(kCmdStatus2, {{0, 0}, {1, kStatus2Invincible}, {2, 2}}));
  EXPECT_EQ(a.def.m_nInvincible, 2);
  RunStatusOperation2(a, CharaCmd(kCmdStatus2, {{0, 0}, {1, kStatus2TurnByCommand}, {2, 0}}));
  EXPECT_EQ(a.def.m_bTurnByCmd, 0);
  RunStatusOperation2(a, CharaCmd(kCmdStatus2, {{0, 0}, {1, kStatus2ScrollSync}, {2, 1}}));
  EXPECT_EQ(a.scrollSync, 1);
  const int width = a.hitWidth;
  RunStatusOperation2(a, CharaCmd(kCmdStatus2, {{0, 0}, {1, kStatus2Size}, {2, 40}}));
  EXPECT_EQ(a.sizeFactor, kMaxSize);  // clamped to 1..10
  EXPECT_EQ(a.hitWidth, width * kMaxSize);
  EXPECT_EQ(a.squeezeGrace, 2);
  {
    const SystemSwitch noGrace(&cSystem::m_nCompat831, 1);
    a.squeezeGrace = 0;
    RunStatusOperation2(a, CharaCmd(kCmdStatus2, {{0, 0}, {1, kStatus2Size}, {2, 3}}));
    EXPECT_EQ(a.sizeFactor, 3);
    EXPECT_EQ(a.squeezeGrace, 0);
  }
  RunStatusOperation2(a, CharaCmd(kCmdStatus2, {{0, 0}, {1, kStatus2Size}, {2, 4}}));
  EXPECT_EQ(a.squeezeGrace, 2);
  RunStatusOperation2(a, CharaCmd(kCmdStatus2, {{0, 4}, {1, kStatus2Vanish}}));  // an empty slot
  EXPECT_FALSE(a.removed);
  RunStatusOperation2(a, CharaCmd(kCmdStatus2, {{0, 2}, {1, kStatus2Vanish}}));
  EXPECT_TRUE(charas[1]->removed);
  EXPECT_EQ(a.targets[1], nullptr);  // its links are released
  g_PlayStage.AutoScrollX = 1;
  RunStatusOperation2(a, CharaCmd(kCmdStatus2, {{0, 5}, {1, 0}, {2, 30}}));
  EXPECT_EQ(g_PlayStage.AutoScrollSpeedX, 30);
}

TEST_F(CharaCommandsTest, LooksAndSceneCommands) {
  cStageChara& a = *charas[0];
  ChangeGraphic(a, CharaCmd(kCmdChangeGraphic, {{0, 4}, {1, -1}, {2, 7}}));
  EXPECT_EQ(a.def.m_nGraphicKind, 4);
  EXPECT_EQ(a.def.m_nGraphicNo, 0xFFFF);
  EXPECT_EQ(a.def.m_nGraphicOffset, 7);
  const int set = a.def.m_nAnimeSet;
  ChangeAnimSet(a, CharaCmd(kCmdChangeAnimeSet, {{0, 100000}}));  // no such set
  EXPECT_EQ(a.def.m_nAnimeSet, set);

  ChangeBackground(a, CharaCmd(kCmdBackground, {{0, 2}, {1, 2}}));
  EXPECT_EQ(g_PlayStage.m_vBackground[1].Show, 0u);
  ChangeBackground(a, CharaCmd(kCmdBackground, {{0, 2}, {1, 2}}));
  EXPECT_EQ(g_PlayStage.m_vBackground[1].Show, 1u);
  ChangeBackground(a, CharaCmd(kCmdBackground, {{0, 3}, {1, 1}}));  // past the layers: nothing
  ChangeBackground(a, CharaCmd(kCmdBackground, {{0, 1}, {1, 1}}));
  EXPECT_EQ(g_PlayStage.m_vBackground[0].Show, 0u);

  run.harness.ClearRecords();
  g_Database->m_vSound.resize(3);
  g_Database->m_vBgm.resize(3);
  cEdCmd sound = CharaCmd(kCmdSound, {{0, 2}});
  PlayCmdSound(a, sound);  // the hero-only rule
  PlayCmdSound(*hero, sound);
  sound.m_vParams[0] = 3;  // past the sounds
  PlayCmdSound(*hero, sound);
  EXPECT_EQ(run.harness.Sounds(), std::vector<int>{18});
  PlayCmdBgm(a, CharaCmd(kCmdBgm, {{0, 2}, {1, 1}}));
  PlayCmdBgm(a, CharaCmd(kCmdBgm, {{0, 5}}));
  ASSERT_EQ(run.harness.Music().size(), 1u);
  EXPECT_EQ(run.harness.Music()[0], (std::pair<int, int>{2, 1}));
}

}  // namespace
