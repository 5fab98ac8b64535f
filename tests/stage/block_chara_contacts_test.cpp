// Contacts with block characters on small hand-made stages: standing on one
// and being carried along, side pushes, head bumps, squeezes and burial,
// the flying branch, and the index that follows the character list.
#include <gtest/gtest.h>

#include <memory>

#include "definitions/flow_record.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/contacts/block_chara_collision.h"
#include "stage/contacts/block_chara_index.h"
#include "stage/scene/stage_hooks.h"
#include "tests/stage/stage_fixture.h"

namespace {

// Puts an object at a place as if it had stood there since the sub-step
// began. Only the stage's edges hold it: the hero's own clamps would keep it
// out of the margin these contacts are placed in.
void PlaceAt(cChara& obj, double x, double y) {
  obj.x = x;
  obj.y = y;
  obj.ClampToStageX(kClampStage);
  obj.ClampToStageY(kClampStage);
  obj.SavePos();
}

// One flow per trigger, in that order.
void GiveFlows(cChara& chara, std::initializer_list<int> triggers) {
  cVector<cEdFlow> flows;
  for (int trigger : triggers) {
    cEdFlow flow;
    flow.m_nTrigger = static_cast<std::uint8_t>(trigger);
    flows.push_back(flow);
  }
  chara.SetFlows(flows);
}
bool Started(const cChara& chara, std::size_t flow) { return chara.flows[flow].startedThisStep != 0; }
void NextStep(cChara& chara) {
  chara.ClearFrameFlags();
  for (cFlowState& flow : chara.flows) flow.active = 0;
}

class BlockCharaContacts : public ::testing::Test {
 protected:
  BlockCharaContacts() {
    // The contacts are placed in the left margin: the extra width lets the
    // hero's clamps reach it.
    builder.stage.ExtraWidth = 320;
    builder.stage.ExtraHeight = 320;
    builder.Chara(10, 8).m_bBlockChara = 1;
    builder.Chara(20, 8).m_bBlockChara = 1;
    run = std::make_unique<StageRun>(builder);
    hero = run->harness.Hero();
    platform = run->harness.CharaBySerial(1);
    other = run->harness.CharaBySerial(2);
    for (cChara* c : {static_cast<cChara*>(platform), static_cast<cChara*>(other)}) {
      c->hitWidth = 64;
      c->hitHeight = 16;
      c->present = 1;
    }
    PlaceAt(*platform, 320, 320);
    PlaceAt(*other, 800, 320);
    hero->ClearPressedFlags();
  }

  StageBuilder builder{40, 15, 2, 2};
  std::unique_ptr<StageRun> run;
  cHero* hero = nullptr;
  cStageChara* platform = nullptr;
  cStageChara* other = nullptr;
};

TEST_F(BlockCharaContacts, FallingHeroLandsThroughItsFootStripAndIsCarriedAlong) {
  ASSERT_NE(platform, nullptr);
  PlaceAt(*hero, 330, 320 - hero->hitHeight + 2);  // feet two dots into the platform
  hero->vy = 1.5;
  hero->jumpForbidden = 1;  // from a "ジャンプ禁止" block before
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_EQ(hero->jumpForbidden, 0);
  EXPECT_DOUBLE_EQ(hero->bottom, 319);
  EXPECT_EQ(hero->vy, 0);
  EXPECT_EQ(hero->carried, 1);
  EXPECT_EQ(hero->riddenId, platform->number);
  EXPECT_EQ(hero->pressedBottom, 0);  // the platform does not rise into it

  // The platform moves 3 right and 2 up: the rider takes that displacement.
  PlaceAt(*platform, 323, 318);
  hero->vx = 0;
  CarryRider(*hero);
  EXPECT_DOUBLE_EQ(hero->vx, 3);
  EXPECT_DOUBLE_EQ(hero->vy, -2);

  // Still on it (its feet are within 5 dots): riding goes on and the
  // carrier's box is registered again.
  hero->SavePos();
  hero->jumpForbidden = 1;
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_EQ(hero->carried, 1);
  EXPECT_EQ(hero->jumpForbidden, 0);
  EXPECT_DOUBLE_EQ(hero->carrierX, 323);
  EXPECT_DOUBLE_EQ(hero->carrierY, 318);

  // The platform leaves: riding ends and CarryRider leaves the hero alone.
  PlaceAt(*platform, 600, 400);
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_EQ(hero->carried, 0);
  hero->vx = 0;
  CarryRider(*hero);
  EXPECT_EQ(hero->vx, 0);
}

TEST_F(BlockCharaContacts, RidingTriggersFireOnTheCarrierOnceAndOnTheRiderEachSubStep) {
  GiveFlows(*platform, {kTriggerRiddenByHero, kTriggerRiddenByChara});
  GiveFlows(*hero, {kTriggerHitBlockChara, kTriggerOnBlockChara});
  PlaceAt(*hero, 330, 320 - hero->hitHeight + 2);
  hero->vy = 1;
  HitBlockCharas(*hero);
  EXPECT_TRUE(Started(*platform, 0));
  EXPECT_TRUE(Started(*platform, 1));
  EXPECT_TRUE(Started(*hero, 0));
  EXPECT_TRUE(Started(*hero, 1));
  // Riding on: the carrier's triggers are not fired by the pass again.
  NextStep(*platform);
  NextStep(*hero);
  hero->SavePos();
  HitBlockCharas(*hero);
  EXPECT_FALSE(Started(*platform, 0));
  EXPECT_FALSE(Started(*platform, 1));
  EXPECT_TRUE(Started(*hero, 0));
  EXPECT_TRUE(Started(*hero, 1));
  // A computer-operated rider fires only the second carrier trigger.
  NextStep(*platform);
  hero->op = 1;
  CarryRider(*hero);
  EXPECT_FALSE(Started(*platform, 0));
  EXPECT_TRUE(Started(*platform, 1));
}

int g_JumpBanAtTouch = -1;

TEST_F(BlockCharaContacts, ARiderTouchingAnotherBlockCharaKeepsItsJumpBanThroughTheTouchTrigger) {
  GiveFlows(*hero, {kTriggerHitBlockChara});
  const FlowRuntimeSlot saved = g_FlowRuntime;
  g_FlowRuntime.startFlow = [](cChara& chara, cFlowState&) {
    g_JumpBanAtTouch = static_cast<const cHero&>(chara).jumpForbidden;
  };
  PlaceAt(*hero, 800 - hero->hitWidth + 2, 320);  // its right edge two dots into `other`
  hero->carried = 1;
  hero->riddenId = platform->number;
  hero->vx = 1;
  hero->jumpForbidden = 1;
  HitBlockCharas(*hero);
  g_FlowRuntime = saved;
  EXPECT_EQ(g_JumpBanAtTouch, 1);
  EXPECT_EQ(hero->jumpForbidden, 0);
  EXPECT_EQ(hero->pressedRight, 1);
}

TEST_F(BlockCharaContacts, RiderPassesToANeighbourUnderItsFeet) {
  PlaceAt(*other, 384, 320);  // right next to the platform
  PlaceAt(*hero, 370, 320 - hero->hitHeight + 1);
  hero->vy = 1;
  HitBlockCharas(*hero);
  ASSERT_EQ(hero->carried, 1);
  const int first = hero->riddenId;
  // The first carrier leaves; the other one is still under the feet.
  PlaceAt(first == platform->number ? *platform : *other, 600, 400);
  HitBlockCharas(*hero);
  EXPECT_EQ(hero->carried, 1);
  EXPECT_NE(hero->riddenId, first);
}

TEST_F(BlockCharaContacts, FastFallWhoseUpperHalfReachesThePlatformStillStands) {
  // Above the platform when the sub-step began, deep in it now.
  PlaceAt(*hero, 330, 300 - hero->hitHeight);
  hero->y = 320 - hero->hitHeight / 4.0;
  hero->ClampY();
  hero->vy = 20;
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_DOUBLE_EQ(hero->bottom, 319);
  EXPECT_EQ(hero->carried, 1);
}

TEST_F(BlockCharaContacts, WalkerIsPushedOutSidewaysWithTheHalfDotGaps) {
  // Walking right into the platform's left side.
  PlaceAt(*hero, 320 - hero->hitWidth + 2, 320);
  hero->vx = 2;
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_EQ(hero->pressedRight, 1);
  EXPECT_DOUBLE_EQ(hero->x, 320 - hero->hitWidth - 0.5);
  EXPECT_EQ(hero->landingMark, 1);

  // Walking left into its right side.
  hero->ClearPressedFlags();
  PlaceAt(*hero, 383 - 2, 320);
  hero->vx = -2;
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_EQ(hero->pressedLeft, 1);
  EXPECT_DOUBLE_EQ(hero->x, 383 + 1.5);
}

TEST_F(BlockCharaContacts, RisingHeadIsStoppedUnderThePlatform) {
  PlaceAt(*hero, 330, 336 + 4);  // below the platform (bottom 335)
  hero->y = 333;
  hero->ClampY();
  hero->vy = -7;
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_DOUBLE_EQ(hero->y, 336);
  EXPECT_EQ(hero->vy, 0);  // the platform's own speed
  // The bump counts as a jump: jumping, jump-started and jump-hold.
  EXPECT_EQ(hero->jumping, 1);
  EXPECT_EQ(hero->airborne, 1);
  EXPECT_EQ(hero->jumpHold, 1);
}

TEST_F(BlockCharaContacts, PlatformRisingIntoAHeroUnderACeilingSqueezesIt) {
  PlaceAt(*hero, 330, 320 - hero->hitHeight + 2);
  platform->vy = -2;
  hero->pressedTop = 1;  // a block above, from the block tests of this sub-step
  EXPECT_EQ(HitBlockCharas(*hero), 2);
  EXPECT_EQ(hero->pressedBottom, 1);
}

TEST_F(BlockCharaContacts, BuriedObjectIsDeadlyEvenWithoutOppositeContacts) {
  platform->hitWidth = 200;
  platform->hitHeight = 200;
  PlaceAt(*platform, 300, 200);
  PlaceAt(*hero, 350, 250);
  EXPECT_EQ(IsBuriedInBlockCharas(*hero, hero->x, hero->y, hero->right, hero->bottom), 1);
  EXPECT_EQ(HitBlockCharas(*hero), 2);
  // A corner outside now and at entry: not buried.
  PlaceAt(*hero, 490, 250);
  EXPECT_EQ(IsBuriedInBlockCharas(*hero, hero->x, hero->y, hero->right, hero->bottom), 0);
}

TEST_F(BlockCharaContacts, WedgedAirborneCharacterDropsItsSidePushes) {
  // Two block characters closing in from both sides at mid height.
  PlaceAt(*hero, 400, 300);
  hero->SavePos();
  other->hitHeight = 16;
  PlaceAt(*platform, 400 - 64 + 3, 300 + hero->hitHeight / 2 + 2);
  PlaceAt(*other, hero->right - 3, 300 + hero->hitHeight / 2 + 2);
  const double x = hero->x;
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_EQ(hero->pressedLeft, 0);
  EXPECT_EQ(hero->pressedRight, 0);
  EXPECT_DOUBLE_EQ(hero->x, x);
}

TEST_F(BlockCharaContacts, FlyingObjects) {
  hero->moveA = 1;
  hero->moveB = 2;  // dies on blocks
  PlaceAt(*platform, 640, 320);  // a floating hero keeps out of the margin
  PlaceAt(*hero, 640 - hero->hitWidth + 2, 322);
  EXPECT_EQ(HitBlockCharas(*hero), 2);

  // Colliding: pushed out to the left, flush with the platform.
  hero->moveB = 1;
  hero->ClearPressedFlags();
  PlaceAt(*hero, 640 - hero->hitWidth + 2, 322);
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_DOUBLE_EQ(hero->right, 639);

  // A platform moving away to the right does not push; the y axis is
  // settled instead.
  hero->ClearPressedFlags();
  PlaceAt(*hero, 640 - hero->hitWidth + 2, 322);
  platform->vx = 3;
  hero->vx = -1;
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_EQ(hero->pressedRight, 0);
  EXPECT_DOUBLE_EQ(hero->x, 640 - hero->hitWidth + 2);

  // Passing blocks: no contact at all.
  hero->moveB = 0;
  EXPECT_EQ(HitBlockCharas(*hero), 0);
  EXPECT_EQ(OverlapsBlockChara(*hero), 0);
}

TEST_F(BlockCharaContacts, IndexFollowsTheListAndSkipsWhatDoesNotCount) {
  EXPECT_EQ(BlockCharaIndex().size(), 2u);
  PlaceAt(*hero, 330, 322);
  EXPECT_EQ(OverlapsBlockChara(*hero), 1);
  EXPECT_EQ(OverlapsBlockCharaExcept(*hero, platform->number), 0);
  platform->dead = 1;
  EXPECT_EQ(OverlapsBlockChara(*hero), 0);
  platform->dead = 0;
  g_CharaList.Remove(*platform);
  EXPECT_EQ(BlockCharaIndex().size(), 1u);
  EXPECT_EQ(OverlapsBlockChara(*hero), 0);
}

}  // namespace
