// Characters: HP and SP, target slots and their release, the trigger check
// (take-other restore) and the key-input sequences of flows.
#include <gtest/gtest.h>

#include "input/input_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/keys/flow_keys.h"
#include "tests/stage/stage_fixture.h"

namespace {

constexpr int kKeyRight = 2;   // press log of the direction word exactly "right"
constexpr int kKeyButton0 = 11;

cKeyStep Step(int key, int state, int time1 = 0, int time2 = 0, int anyHold = 1) {
  cKeyStep step;
  step.SetDefaults();
  step.m_vKeys[key] = static_cast<std::uint8_t>(state);
  step.m_nTime1 = static_cast<std::uint16_t>(time1);
  step.m_nTime2 = static_cast<std::uint16_t>(time2);
  step.m_bAnyHold = static_cast<std::uint8_t>(anyHold);
  return step;
}

void Frames(int count, std::uint16_t dir, std::uint16_t buttons = 0) {
  for (int i = 0; i < count; ++i) {
    g_Inputs[0].m_wDir = dir;
    g_Inputs[0].m_wButton = buttons;
    g_Inputs[0].UpdateFrameState();
  }
}

class CharaTest : public testing::Test {
 public:
  void SetUp() override {
    builder.Chara(3, 3).m_nMaxHp = 10;
    builder.Chara(5, 3).m_nMaxHp = 10;
    run = std::make_unique<StageRun>(builder);
    g_Inputs[0].Init();
  }
  cStageChara* First() { return run->harness.CharaBySerial(FirstSerial()); }
  std::uint32_t FirstSerial() {
    std::uint32_t serial = 0;
    g_CharaList.All([&](cStageChara& c) {
      serial = c.serial;
      return false;
    });
    return serial;
  }
  // A flow of trigger `trigger` with the given key steps on the hero.
  cFlowState& HeroFlow(std::initializer_list<cKeyStep> steps, int trigger = kTriggerAlways) {
    cEdFlow flow;
    flow.m_nTrigger = static_cast<std::uint8_t>(trigger);
    flow.m_vKeySteps = cVector<cKeyStep>(steps);
    cVector<cEdFlow> flows;
    flows.push_back(flow);
    Hero().SetFlows(flows);
    return Hero().flows[0];
  }
  cHero& Hero() { return *PlayerHero(); }
  bool Fires(cFlowState& state) {
    Hero().ClearFrameFlags();
    state.active = 0;
    Hero().RunTriggeredFlows(kTriggerAlways, nullptr, 0);
    return state.startedThisStep != 0;
  }

  StageBuilder builder{30, 10, 1, 1};
  std::unique_ptr<StageRun> run;
};

TEST_F(CharaTest, HpAndSp) {
  cStageChara& chara = *First();
  EXPECT_EQ(chara.AddHp(5, 0, 1), 0);  // full: no change, no gauge
  EXPECT_EQ(chara.hp, 10);
  EXPECT_EQ(chara.hpGauge.timer, 0);
  EXPECT_EQ(chara.AddHp(-4, 0, 1), 0);
  EXPECT_EQ(chara.hp, 6);
  EXPECT_EQ(chara.hpGauge.timer, 120);
  EXPECT_EQ(chara.hpGauge.bar, 30);
  EXPECT_DOUBLE_EQ(chara.hpGauge.change, -20.0);
  EXPECT_EQ(chara.AddHp(-2147483647, 0, 1), 1);  // 64-bit sum, no overflow
  EXPECT_EQ(chara.hp, 0);
  EXPECT_EQ(chara.AddHp(0, 0, 1), 1);
  chara.def.m_nInvincible = 1;
  EXPECT_EQ(chara.AddHp(0, 0, 1), 0);
  EXPECT_EQ(chara.AddSp(3, 1), 1);  // max SP 0
  chara.def.m_nMaxSp = 5;
  EXPECT_EQ(chara.AddSp(3, 1), 0);
  EXPECT_EQ(chara.sp, 3);
}

TEST_F(CharaTest, TargetsAndTheirRelease) {
  cStageChara& a = *First();
  cChara& hero = Hero();
  SetTarget(a, 1, &hero, 1);
  SetTarget(a, 2, &hero, 1);
  EXPECT_EQ(hero.backRefs.size(), 2u);
  SetTarget(a, 1, nullptr, 0);  // clearOnNull 0 keeps the slot
  EXPECT_EQ(a.targets[1], &hero);
  SetTarget(a, 1, nullptr, 1);
  EXPECT_EQ(a.targets[1], nullptr);
  EXPECT_EQ(hero.backRefs.size(), 1u);
  a.SetParent(&hero);
  EXPECT_EQ(a.targets[0], &hero);
  EXPECT_EQ(a.parent, &hero);
  hero.ReleaseCharaLinks();
  EXPECT_EQ(a.targets[0], nullptr);
  EXPECT_EQ(a.targets[2], nullptr);
  EXPECT_EQ(a.parent, nullptr);
  EXPECT_TRUE(hero.backRefs.empty());
  EXPECT_EQ(FindCharaById(a.number), &a);
  EXPECT_EQ(FindCharaById(hero.number), &hero);
  run->harness.Scene().RemoveChara(a);
  EXPECT_EQ(FindCharaById(a.number), nullptr);
  EXPECT_EQ(g_CharaList.Count(), 1u);
}

// What a second trigger in the same step starts, by the three trigger-start
// switches of a project of `version`: a flow whose key sequence failed at
// the first trigger and holds now; a flow that was running at the first
// trigger and has ended since.
std::pair<int, int> SecondTriggerStarts(CharaTest& test, std::uint32_t version) {
  const SystemOfVersion project(version);
  EXPECT_TRUE(project.Loaded());
  cHero& hero = test.Hero();
  Frames(3, 0);
  cFlowState& keyed = test.HeroFlow({Step(kKeyRight, kKeyPressed)});
  hero.ClearFrameFlags();
  hero.RunTriggeredFlows(kTriggerAlways, nullptr, 0);
  Frames(3, kDirRight);
  hero.RunTriggeredFlows(kTriggerAlways, nullptr, 0);
  const int keyedStarts = keyed.startedThisStep;

  cFlowState& running = test.HeroFlow({});
  running.active = 1;
  hero.ClearFrameFlags();
  hero.RunTriggeredFlows(kTriggerAlways, nullptr, 0);
  running.active = 0;
  hero.RunTriggeredFlows(kTriggerAlways, nullptr, 0);
  return {keyedStarts, running.startedThisStep};
}

// Each data version that brought a trigger-start switch changes what a
// second trigger in the same step starts.
TEST_F(CharaTest, TheTriggerOrderOfEachVersionBand) {
  EXPECT_EQ(SecondTriggerStarts(*this, 500), std::make_pair(1, 1));  // never marked
  EXPECT_EQ(SecondTriggerStarts(*this, 700), std::make_pair(0, 0));  // marked before every test
  EXPECT_EQ(SecondTriggerStarts(*this, 800), std::make_pair(0, 1));  // marked before the conditions
  EXPECT_EQ(SecondTriggerStarts(*this, 878), std::make_pair(1, 1));  // marked when started
}

TEST_F(CharaTest, FailedTakeOtherRestoresTheSlot) {
  cStageChara& other = *First();
  cFlowState& state = HeroFlow({Step(kKeyRight, kKeyPressed)}, 4);
  const_cast<cEdFlow*>(state.flow)->m_bTakeOther = 1;
  const_cast<cEdFlow*>(state.flow)->m_nTargetSlot = 2;
  Hero().RunTriggeredFlows(4, &other, 0);
  EXPECT_EQ(state.startedThisStep, 0);
  EXPECT_EQ(Hero().targets[2], nullptr);
  EXPECT_TRUE(other.backRefs.empty());
  Frames(3, kDirRight);
  Hero().RunTriggeredFlows(4, &other, 0);
  EXPECT_EQ(state.startedThisStep, 1);
  EXPECT_EQ(Hero().targets[2], &other);
}

TEST_F(CharaTest, HoldWindow) {
  cFlowState& state = HeroFlow({Step(kKeyRight, kKeyPressed, 10, 20, 0)});
  Frames(15, kDirRight);
  EXPECT_TRUE(Fires(state));
  state.keyLatchB = 0;
  Frames(10, kDirRight);
  EXPECT_FALSE(Fires(state));  // held 25 frames
}

TEST_F(CharaTest, OneStepFiresOncePerPress) {
  cFlowState& state = HeroFlow({Step(kKeyButton0, kKeyPressed)});
  Frames(1, 0, 1);
  EXPECT_TRUE(Fires(state));
  Frames(1, 0, 1);
  EXPECT_FALSE(Fires(state));
  Frames(1, 0, 0);
  EXPECT_FALSE(Fires(state));
  Frames(1, 0, 1);
  EXPECT_TRUE(Fires(state));
}

TEST_F(CharaTest, SequenceWithGapAndOrder) {
  // Right pressed, then button 0 pressed: the older step first.
  cFlowState& state = HeroFlow({Step(kKeyRight, kKeyPressed), Step(kKeyButton0, kKeyPressed)});
  Frames(5, kDirRight);
  Frames(2, 0);
  Frames(1, 0, 1);
  EXPECT_FALSE(Fires(state));  // two frames between: gap 0 fails
  const_cast<cEdFlow*>(state.flow)->m_nKeyGap = 3;
  state.keyLatchB = 0;
  EXPECT_TRUE(Fires(state));
  // An empty step always matches.
  cKeyStep empty;
  empty.SetDefaults();
  KeyCursor cursor = NewestCursor(g_Inputs[0]);
  std::int32_t elapsed = 0;
  EXPECT_EQ(MatchStep(g_Inputs[0], empty, cursor, false, elapsed), 1);
  // Past the oldest run a key test fails.
  ShiftHistories(g_Inputs[0], cursor, -100000);
  EXPECT_EQ(MatchStep(g_Inputs[0], Step(kKeyRight, kKeyReleased), cursor, false, elapsed), 0);
}

TEST_F(CharaTest, FacingRelativeStepsMirror) {
  cKeyStep step = Step(kKeyRight, kKeyPressed);
  step.m_bFacingRelative = 1;
  cFlowState& state = HeroFlow({step});
  Frames(2, kDirLeft);
  Hero().facing = 1;
  EXPECT_FALSE(Fires(state));
  Hero().facing = 0;
  state.keyLatchB = 0;
  EXPECT_TRUE(Fires(state));
  EXPECT_EQ(MatchStepNow(g_Inputs[0], Step(1, kKeyPressed)), 1);
}

}  // namespace

namespace {

TEST(TriggerCheck, SkipsRunningFlaggedOtherIdAndAlreadyTriggeredFlows) {
  StageBuilder builder(20, 5, 1, 1);
  StageRun run(builder);
  cHero& hero = *PlayerHero();
  cVector<cEdFlow> list(2);
  list[0].m_nId = 1;
  list[0].m_nFlag = 3;
  list[1].m_nId = 2;
  hero.SetFlows(list);
  hero.RunTriggeredFlows(kTriggerAlways, nullptr, 2);  // only ID letter 2
  EXPECT_EQ(hero.flows[0].startedThisStep, 0);
  EXPECT_EQ(hero.flows[1].startedThisStep, 1);
  hero.ClearFrameFlags();
  hero.flagSets[0][3] = 1;  // flag letter c raised: the always-flow waits
  hero.flows[1].active = 1;  // running: skipped
  hero.RunTriggeredFlows(kTriggerAlways, nullptr, 0);
  EXPECT_EQ(hero.flows[0].startedThisStep, 0);
  EXPECT_EQ(hero.flows[1].startedThisStep, 0);
  hero.flagSets[0][3] = 0;
  hero.RunTriggeredFlows(kTriggerAlways, nullptr, 0);
  EXPECT_EQ(hero.flows[0].startedThisStep, 1);
  // Triggered once this step: a second trigger in the same step skips it.
  hero.flows[0].startedThisStep = 0;
  hero.RunTriggeredFlows(kTriggerAlways, nullptr, 0);
  EXPECT_EQ(hero.flows[0].startedThisStep, 0);
}

}  // namespace
