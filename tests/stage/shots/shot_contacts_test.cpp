// Shot and attack contacts on hand-made stages: sides against groups, the
// strict-shot switch both ways, invincibility and invulnerability 2,
// piercing and swords, the sub-step mask, deaths, the item a shot carries,
// cancelling by "消滅値", and body attacks, whose walk over the pairs whose
// boxes meet is checked against the walk over every pair on random stages.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "definitions/flow_record.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/contacts/object_contacts.h"
#include "stage/core/stage_rules.h"
#include "stage/scene/stage_hooks.h"
#include "stage/shots/shot_list.h"
#include "tests/stage/shots/shot_fixture.h"
#include "tests/stage/stage_fixture.h"

namespace {

std::map<int, int> g_Starts;  // flow starts by trigger

void CountStart(cChara&, cFlowState& state) { ++g_Starts[state.flow->m_nTrigger]; }

cEdFlow FlowOn(int trigger) {
  cEdFlow flow;
  flow.m_nTrigger = static_cast<std::uint8_t>(trigger);
  return flow;
}

int Count(const std::vector<int>& sounds, int number) {
  return static_cast<int>(std::count(sounds.begin(), sounds.end(), number));
}

// A floor on row 9 and the hero at column 5; characters of other groups
// stand on the floor; flow starts are counted.
class ShotContacts : public testing::Test {
 protected:
  ShotContacts() : builder(30, 12, 5, 8) {
    for (int column = 0; column < 30; ++column) builder.Block(column, 9);
    builder.stage.InvincibleTime[3] = 30;  // computer: 30 frames after damage
    builder.stage.InvincibleTime[2] = 20;  // computer: 20 frames per attacker
    builder.Hero().m_vFlows.push_back(FlowOn(kTriggerHitShot));
  }
  void SetUp() override {
    saved = g_FlowRuntime;
    savedRules = g_StageRules;
    g_FlowRuntime.startFlow = CountStart;
    g_Starts.clear();
  }
  void TearDown() override {
    g_FlowRuntime = saved;
    g_StageRules = savedRules;
  }

  cEdChara& Foe(int column, int group) {
    cEdChara& chara = builder.Chara(column, 8);
    chara.m_nFaction = static_cast<std::uint8_t>(group);
    chara.m_nMaxHp = 100;
    chara.m_vFlows.push_back(FlowOn(kTriggerHitShot));
    chara.m_vFlows.push_back(FlowOn(kTriggerHitChara));
    return chara;
  }
  void Begin() {
    run = std::make_unique<StageRun>(builder);
    g_PlayStage.ShotSize[0] = g_PlayStage.ShotSize[1] = 16;
    g_PlayStage.ShotSize[4] = g_PlayStage.ShotSize[5] = 16;
    run->harness.Step(0, 0);
    run->harness.ClearRecords();
    g_Starts.clear();
  }
  // The contact pass alone, on the shots' screen places of now.
  int Contacts() {
    UpdateShotActivity();
    return CheckObjectContacts(run->harness.Scene());
  }
  // A shot of `side` standing on the character's shot box.
  cStageShot* ShotOn(const cChara& chara, cEdShot record, int side) {
    record.m_nFaction = static_cast<std::uint8_t>(side);
    return PutShot(nullptr, record, PlaceAt(chara.shotBox.left, chara.shotBox.top, 0, 0));
  }
  void Step() { run->harness.Step(0, 0); }

  StageBuilder builder;
  std::unique_ptr<StageRun> run;
  FlowRuntimeSlot saved;
  StageRules savedRules;
};

cEdShot Powered(int power) {
  cEdShot record;
  record.m_nPower = power;
  return record;
}

TEST_F(ShotContacts, AShotHitsEveryGroupButItsOwnSide) {
  Foe(8, 2);
  Begin();
  cStageChara& foe = *run->harness.CharaBySerial(1);
  cStageShot* own = ShotOn(foe, Powered(10), 2);
  Step();
  EXPECT_FALSE(own->removed);
  EXPECT_EQ(foe.hp, 100);
  EXPECT_EQ(g_Starts[kTriggerHitShot], 0);
  cStageShot* other = ShotOn(foe, Powered(10), 1);
  cHero& hero = *run->harness.Hero();
  hero.def.m_nMaxHp = hero.hp = 50;
  cStageShot* atHero = ShotOn(hero, Powered(5), 1);
  Step();
  EXPECT_TRUE(other->removed);
  EXPECT_TRUE(atHero->removed);
  EXPECT_EQ(foe.hp, 90);
  EXPECT_EQ(hero.hp, 45);
  EXPECT_EQ(foe.invincibleTime, 30);
  EXPECT_EQ(Count(run->harness.Sounds(), 7), 2);
  EXPECT_EQ(g_Starts[kTriggerHitShot], 2);
  // Invincible now: the next shot passes by without a trigger.
  cStageShot* next = ShotOn(foe, Powered(10), 1);
  Step();
  EXPECT_FALSE(next->removed);
  EXPECT_EQ(foe.hp, 90);
}

TEST_F(ShotContacts, AShotWithoutEffectHitsOnlyWhileTheStrictSwitchIsOff) {
  Foe(8, 2);
  Begin();
  cStageChara& foe = *run->harness.CharaBySerial(1);
  g_StageRules.strictShots = 1;
  cStageShot* shot = ShotOn(foe, cEdShot{}, 1);
  for (int i = 0; i < 3; ++i) Step();
  EXPECT_FALSE(shot->removed);
  EXPECT_EQ(g_Starts[kTriggerHitShot], 3);
  EXPECT_EQ(Count(run->harness.Sounds(), 7), 0);
  g_StageRules.strictShots = 0;
  Step();
  EXPECT_TRUE(shot->removed);
  EXPECT_EQ(Count(run->harness.Sounds(), 7), 1);
  EXPECT_EQ(foe.invincibleTime, 0);
  EXPECT_EQ(foe.hp, 100);
}

TEST_F(ShotContacts, InvulnerabilityTwoLetsEveryShotPassWithoutATrigger) {
  Foe(8, 2).m_nInvincible = 2;
  Begin();
  cStageChara& foe = *run->harness.CharaBySerial(1);
  cStageShot* shot = ShotOn(foe, Powered(10), 1);
  Step();
  EXPECT_FALSE(shot->removed);
  EXPECT_EQ(g_Starts[kTriggerHitShot], 0);
}

TEST_F(ShotContacts, APiercingShotHitsEachCharacterOnceAndFliesOn) {
  Foe(8, 2);
  Foe(9, 2);
  Begin();
  cStageChara& first = *run->harness.CharaBySerial(1);
  cStageChara& second = *run->harness.CharaBySerial(2);
  cEdShot record = Powered(10);
  record.m_bPierce = 1;
  record.m_nFaction = 1;
  cStageShot* shot = PutShot(nullptr, record, PlaceAt(first.shotBox.left - 20, first.shotBox.top, 4, 0));
  for (int i = 0; i < 30; ++i) Step();
  EXPECT_FALSE(shot->removed);
  EXPECT_EQ(first.hp, 90);
  EXPECT_EQ(second.hp, 90);
  EXPECT_EQ(shot->hitNumbers, (std::vector<std::int32_t>{first.number, second.number}));
}

TEST_F(ShotContacts, ShotsHitOnlyInTheMaskedSubSteps) {
  Foe(8, 2);
  builder.stage.SpeedLevel = 3;
  builder.stage.SetSpeedLevel(3);
  builder.stage.StepMaskCount = 2;
  Begin();
  cStageChara& foe = *run->harness.CharaBySerial(1);
  cStageScene& scene = run->harness.Scene();
  cStageShot* shot = ShotOn(foe, Powered(10), 1);
  scene.m_nSubStep = 3;
  EXPECT_EQ(Contacts(), 0);
  EXPECT_FALSE(shot->removed);
  scene.m_nSubStep = 2;
  EXPECT_EQ(Contacts(), 0);
  EXPECT_TRUE(shot->removed);
}

TEST_F(ShotContacts, AKillingShotEndsTheCharacterAndTheHero) {
  Foe(8, 2);
  Begin();
  cStageChara& foe = *run->harness.CharaBySerial(1);
  ShotOn(foe, Powered(1000), 1);
  Step();
  EXPECT_TRUE(foe.dead);
  EXPECT_EQ(Count(run->harness.Sounds(), 9), 1);
  cHero& hero = *run->harness.Hero();
  ShotOn(hero, Powered(1000), 1);
  EXPECT_EQ(Contacts(), 2);
  EXPECT_EQ(g_ShotRemovalLocked, 0);
}

int g_ItemOutcome = 0;
int TakeOutcome(cChara&, cVector<cEdCmd>&) { return g_ItemOutcome; }

TEST_F(ShotContacts, AShotCarryingAnItemGivesItOnEveryHitAndStopsThePassOnAClear) {
  Foe(8, 2);
  Foe(20, 3);
  cEdItem item;
  item.m_nGraphicNo = 1;
  builder.stage.m_vPaletteItem.push_back(item);
  Begin();
  g_FlowRuntime.runItemCmds = TakeOutcome;
  g_ItemOutcome = 1;
  cStageChara& foe = *run->harness.CharaBySerial(1);
  cEdShot record = Powered(1);
  record.m_nItemPalette = 2;
  record.m_nItemIndex = static_cast<std::uint16_t>(builder.stage.m_vPaletteItem.size() - 1);
  ShotOn(foe, record, 1);
  EXPECT_EQ(Contacts(), 1);
  // A stale index gives nothing.
  record.m_nItemIndex = 999;
  ShotOn(*run->harness.CharaBySerial(2), record, 1);
  EXPECT_EQ(Contacts(), 0);
}

TEST_F(ShotContacts, CancellingShotsGoByTheirValues) {
  Begin();
  cHero& hero = *run->harness.Hero();
  const auto put = [&](int side, int cancel, int value) {
    cEdShot record;
    record.m_nFaction = static_cast<std::uint8_t>(side);
    record.m_bCancel = static_cast<std::uint8_t>(cancel);
    record.m_nVanishValue = static_cast<std::uint8_t>(value);
    return PutShot(nullptr, record, PlaceAt(hero.x + 100, hero.y - 120, 0, 0));
  };
  cStageShot* low = put(3, 1, 2);
  cStageShot* high = put(4, 1, 5);
  Contacts();
  EXPECT_TRUE(low->removed);
  EXPECT_FALSE(high->removed);
  cStageShot* equal = put(5, 1, 5);
  Contacts();
  EXPECT_TRUE(high->removed);
  EXPECT_TRUE(equal->removed);
  cStageShot* plain = put(3, 0, 0);
  cStageShot* cancelling = put(6, 1, 100);
  cStageShot* negative = put(7, 1, 200);  // -56 as a signed byte: lower
  Contacts();
  EXPECT_FALSE(plain->removed);
  EXPECT_TRUE(cancelling->removed || negative->removed);
  EXPECT_TRUE(negative->removed);
}

TEST_F(ShotContacts, BodyAttacksTouchBothSidesAndDamageByPower) {
  Foe(8, 2);
  Foe(8, 3);
  Begin();
  cStageChara& first = *run->harness.CharaBySerial(1);
  cStageChara& second = *run->harness.CharaBySerial(2);
  Step();
  EXPECT_EQ(g_Starts[kTriggerHitChara], 2);
  EXPECT_EQ(Count(run->harness.Sounds(), 7), 0);
  second.def.m_nPower = 10;
  Step();
  EXPECT_EQ(first.hp, 90);
  EXPECT_EQ(second.hp, 100);
  EXPECT_EQ(Count(run->harness.Sounds(), 7), 1);
  EXPECT_TRUE(first.IsInvincibleTo(second.serial));
  EXPECT_FALSE(second.IsInvincibleTo(first.serial));
}

TEST_F(ShotContacts, AHeroKilledByABodyAttackEndsThePass) {
  Foe(5, 2);
  Begin();
  run->harness.CharaBySerial(1)->def.m_nPower = 1000;
  cHero& hero = *run->harness.Hero();
  hero.invincibleTime = 0;
  hero.attackerGuards.clear();
  EXPECT_EQ(Contacts(), 2);
}

TEST_F(ShotContacts, ASwordHitsEachCharacterOncePerSwing) {
  Foe(8, 2);
  Begin();
  cStageChara& foe = *run->harness.CharaBySerial(1);
  cSwordType type;
  type.m_vEntries[0].nWidth = 64;
  type.m_vEntries[0].nHeight = 32;
  type.m_vEntries[0].nEntryTime = 10;
  g_Database->m_vSwordType.push_back(type);
  cEdShot record = Powered(10);
  record.m_nFaction = 1;
  record.m_nMoveKind = static_cast<std::uint8_t>(g_Database->m_vSwordType.size() - 1);
  cHero& hero = *run->harness.Hero();
  hero.facing = 1;
  cStageShot* sword = PutShot(&hero, record, PlaceAt(hero.x, hero.y, 0, 0), kCmdKindSword);
  ASSERT_NE(sword, nullptr);
  foe.x = hero.x + 40;
  foe.invincibleTime = 0;
  for (int i = 0; i < 40; ++i) {
    foe.invincibleTime = 0;
    Step();
  }
  EXPECT_FALSE(sword->removed);
  EXPECT_EQ(foe.hp, 90);
  EXPECT_EQ(sword->hitNumbers.size(), 1u);
}

// The flows started by contacts, in order, each stirring the stage now and
// then: a step aside (a box moves), turning into a block character or back
// (who takes part changes), gaining power (damage and deaths follow).
std::vector<std::string> g_Contacts;

void StirOnStart(cChara& chara, cFlowState& state) {
  const int count = static_cast<int>(g_Contacts.size());
  g_Contacts.push_back(std::to_string(chara.serial) + ":" + std::to_string(state.flow->m_nTrigger));
  if (count % 4 == 1) chara.SetPos(chara.x + 24, chara.y);
  if (count % 9 == 2) chara.def.m_bBlockChara = chara.def.m_bBlockChara == 0 ? 1 : 0;
  if (count % 5 == 3) chara.def.m_nPower = 7;
}

// A crowd of characters of five groups, flying and walking, packed so that
// many boxes meet; part of them strike, and part are off the screen.
StageBuilder RandomCrowd(std::uint32_t seed) {
  std::mt19937 random(seed);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  StageBuilder builder(40, 12, 5, 8);
  for (int column = 0; column < 40; ++column) builder.Block(column, 9);
  builder.stage.OnScreenOnly = pick(0, 1);
  builder.stage.InvincibleTime[2] = pick(0, 3);
  for (int i = 0; i < 80; ++i) {
    cEdChara& chara = builder.Chara(pick(2, 26), pick(2, 8));
    chara.m_nFaction = static_cast<std::uint8_t>(pick(1, 5));
    chara.m_nFlight = static_cast<std::uint8_t>(pick(0, 1));
    chara.m_nMaxHp = pick(5, 40);
    chara.m_nPower = pick(0, 3) == 0 ? pick(1, 9) : 0;
    chara.m_vFlows.push_back(FlowOn(kTriggerHitChara));
    if (pick(0, 2) == 0) chara.m_vFlows.push_back(FlowOn(kTriggerDamaged));
  }
  return builder;
}

struct CrowdRun {
  std::vector<std::string> contacts;
  std::vector<std::uint64_t> hashes;  // after each frame
};

CrowdRun PlayCrowd(const StageBuilder& builder, BodyAttackWalk walk) {
  const FlowRuntimeSlot saved = g_FlowRuntime;
  const BodyAttackWalk savedWalk = g_BodyAttackWalk;
  g_FlowRuntime.startFlow = StirOnStart;
  g_BodyAttackWalk = walk;
  g_Contacts.clear();
  CrowdRun result;
  {
    StageRun run(builder, 11);
    for (int frame = 0; frame < 60; ++frame) {
      run.harness.Step(static_cast<std::uint16_t>(frame % 3), 0);
      result.hashes.push_back(run.harness.Hash());
    }
  }
  result.contacts = g_Contacts;
  g_FlowRuntime = saved;
  g_BodyAttackWalk = savedWalk;
  return result;
}

TEST(BodyAttackWalk, PassingOverPairsThatCannotMeetKeepsEveryHitAndItsOrder) {
  std::size_t contacts = 0;
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    const StageBuilder builder = RandomCrowd(seed);
    const CrowdRun full = PlayCrowd(builder, BodyAttackWalk::kFull);
    const CrowdRun pruned = PlayCrowd(builder, BodyAttackWalk::kPruned);
    ASSERT_EQ(pruned.contacts, full.contacts);
    ASSERT_EQ(pruned.hashes, full.hashes);
    contacts += full.contacts.size();
  }
  EXPECT_GT(contacts, 500u);  // the crowds did meet
}

}  // namespace
