// Commands read from hand-written streams of older data versions come out in
// today's numbering with today's parameters.

#include <gtest/gtest.h>

#include <limits>
#include <numeric>

#include "tests/definitions/record_layouts.h"

namespace {

using CommandUpgrade = DefinitionsTest;

std::vector<std::int32_t> Params(const cEdCmd& command) {
  return std::vector<std::int32_t>(command.m_vParams.begin(), command.m_vParams.end());
}

std::vector<std::int32_t> Counting(int count) {
  std::vector<std::int32_t> values(static_cast<std::size_t>(count));
  std::iota(values.begin(), values.end(), 1);
  return values;
}

TEST_F(CommandUpgrade, KindsFromBefore734MakeRoomForVanish) {
  // Item kind 22 was "アレンジ" before 734 and is item kind 23 now.
  cEdCmd item = LoadedCmd(700, {.family = kFamilyItem, .kind = 22, .params = {11, 1, 0, 0, 0}});
  EXPECT_EQ(item.m_nKind, 23);
  EXPECT_EQ(item.CharaKind(), kCmdArrange);
  // Character kind 24 was "アイテムの取得"; kinds below stay.
  EXPECT_EQ(LoadedCmd(700, {.kind = 24, .params = {0, 1}}).m_nKind, kCmdTakeItem);
  EXPECT_EQ(LoadedCmd(700, {.kind = 23, .params = {0, 0, 0, 0, 0}}).m_nKind, kCmdStatus2);
  // The arranged command kind moves with the table.
  EXPECT_EQ(Params(LoadedCmd(730, {.kind = 37, .params = {26, 0, 0, 0, 0}})), (std::vector<std::int32_t>{27, 0, 0, 0, 0}));
  // Files of 734 and later are numbered as today.
  EXPECT_EQ(LoadedCmd(734, {.kind = 24, .params = {0, 0, 0}}).m_nKind, kCmdVanish);
}

TEST_F(CommandUpgrade, ArrangeOfAShotSkipsTheInsertedShotParameters) {
  // 725: the arrangement becomes one of a shot; 727 renumbers its parameter.
  EXPECT_EQ(Params(LoadedCmd(725, {.kind = 37, .params = {5, 2}})), (std::vector<std::int32_t>{11, 5, 0, 0, 0}));
  // Each threshold is tested against the value as the earlier ones left it.
  EXPECT_EQ(Params(LoadedCmd(726, {.kind = 37, .params = {11, 14, 0, 0, 0}})),
            (std::vector<std::int32_t>{11, 21, 0, 0, 0}));
  EXPECT_EQ(Params(LoadedCmd(726, {.kind = 37, .params = {11, 2, 0, 0, 0}})), (std::vector<std::int32_t>{11, 5, 0, 0, 0}));
  EXPECT_EQ(Params(LoadedCmd(726, {.kind = 37, .params = {11, 1, 0, 0, 0}})), (std::vector<std::int32_t>{11, 1, 0, 0, 0}));
  EXPECT_EQ(Params(LoadedCmd(726, {.kind = 37, .params = {12, 14, 0, 0, 0}})),
            (std::vector<std::int32_t>{12, 14, 0, 0, 0}));
}

TEST_F(CommandUpgrade, MessageGainsItsLaterSettings) {
  std::vector<std::int32_t> params = Counting(10);
  params[0] = 7;
  const cEdCmd message = LoadedCmd(540, {.kind = kCmdMessage, .params = params});
  std::vector<std::int32_t> expected = params;
  expected.resize(18, 0);
  expected[10] = 1;  // shown until a key for positions 0 and 7
  expected[14] = 1;
  expected[16] = 1;
  EXPECT_EQ(Params(message), expected);
  params[0] = 3;
  EXPECT_EQ(Params(LoadedCmd(540, {.kind = kCmdMessage, .params = params}))[10], 0);
}

TEST_F(CommandUpgrade, PictureOf190GetsItsInsertedAndLaterParameters) {
  // "ピクチャーの表示" was kind 31 before 734.
  const cEdCmd picture = LoadedCmd(190, {.kind = 31, .params = Counting(14)});
  EXPECT_EQ(picture.m_nKind, kCmdPicture);
  EXPECT_EQ(Params(picture), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 1, 7, 8, 9, 10, 0, 0, 0, 0}));
}

TEST_F(CommandUpgrade, EffectCommandsOf194GetAnInsertedParameter) {
  EXPECT_EQ(Params(LoadedCmd(194, {.kind = 29, .params = {1, 5}})), (std::vector<std::int32_t>{1, 0, 5}));
  EXPECT_EQ(Params(LoadedCmd(194, {.kind = 30, .params = {1, 5, 6}})), (std::vector<std::int32_t>{1, 0, 5}));
}

TEST_F(CommandUpgrade, StatusOperationFollowsTheInsertedStatusesAndTargets) {
  std::vector<std::int32_t> params(18, 0);
  params[4] = 10;  // left status 10 becomes 11 (168), then 12 (203)
  params[6] = 2;
  params[13] = 5;  // right status 5 becomes 6 (203 only)
  std::vector<std::int32_t> upgraded = Params(LoadedCmd(160, {.kind = kCmdStatus, .params = params}));
  EXPECT_EQ(upgraded[4], 12);
  EXPECT_EQ(upgraded[13], 6);
  // Statuses of the system object (then 2) stay; the object becomes 5 (767).
  params[3] = 2;
  params[12] = 2;
  upgraded = Params(LoadedCmd(160, {.kind = kCmdStatus, .params = params}));
  EXPECT_EQ(upgraded[4], 10);
  EXPECT_EQ(upgraded[13], 5);
  EXPECT_EQ(upgraded[3], 5);
  EXPECT_EQ(upgraded[12], 5);
  // A short list is resized without reading past its end.
  EXPECT_EQ(LoadedCmd(160, {.kind = kCmdStatus, .params = {0, 1}}).m_vParams.size(), 18u);
}

TEST_F(CommandUpgrade, StoredValuesAtTheTopOfTheRangeWrapAsIn32Bits) {
  constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kBottom = std::numeric_limits<std::int32_t>::min();
  // The status numbers of a status operation of 160: raised once (168), after
  // which they are below the threshold of 203.
  std::vector<std::int32_t> params(18, 0);
  params[4] = kTop;
  params[6] = 2;
  params[13] = kTop;
  std::vector<std::int32_t> upgraded = Params(LoadedCmd(160, {.kind = kCmdStatus, .params = params}));
  EXPECT_EQ(upgraded[4], kBottom);
  EXPECT_EQ(upgraded[13], kBottom);
  // Its objects, moved by the targets inserted in 767.
  params[3] = kTop;
  params[12] = kTop;
  upgraded = Params(LoadedCmd(766, {.kind = kCmdStatus, .params = params}));
  EXPECT_EQ(upgraded[3], kBottom + 2);
  EXPECT_EQ(upgraded[12], kBottom + 2);
  EXPECT_EQ(Params(LoadedCmd(766, {.kind = kCmdFacing, .params = {kTop}}))[0], kBottom + 5);
  EXPECT_EQ(Params(LoadedCmd(766, {.kind = kCmdStatus2, .params = {kTop, 0, 0, 0, 0}}))[0], kBottom + 2);
  EXPECT_EQ(Params(LoadedCmd(205, {.kind = kCmdStatus2, .params = {1, kTop, 0, 0, 0}}))[1], kBottom);
  // An arranged shot parameter passes the first threshold only.
  EXPECT_EQ(Params(LoadedCmd(726, {.kind = 37, .params = {11, kTop, 0, 0, 0}}))[1], kBottom);
  // A graphic past the end wraps below the cap instead of being capped.
  EXPECT_EQ(Params(LoadedCmd(218, {.kind = 25, .params = {3, kTop, 0}}))[1], kBottom);
}

TEST_F(CommandUpgrade, TargetsInsertedIn767) {
  EXPECT_EQ(Params(LoadedCmd(766, {.kind = kCmdFacing, .params = {4}}))[0], 10);
  EXPECT_EQ(Params(LoadedCmd(766, {.kind = kCmdFacing, .params = {3}}))[0], 3);
  EXPECT_EQ(Params(LoadedCmd(766, {.kind = kCmdStatus2, .params = {2, 0, 0, 0, 0}}))[0], 5);
  std::vector<std::int32_t> expected = Counting(15);
  expected.insert(expected.begin(), 0);
  EXPECT_EQ(Params(LoadedCmd(766, {.kind = kCmdSetTarget, .params = Counting(16)})), expected);
  const ByteFixture move = MoveStream(766, {{1, 2}});
  const cEdCmd warp = LoadedCmd(766, {.kind = kCmdWarp, .move = &move});
  ASSERT_TRUE(warp.m_Move);
  EXPECT_EQ(warp.m_Move->m_nWarpMode, 5);
}

TEST_F(CommandUpgrade, SetTargetOf180GainsItsLaterSettings) {
  const std::vector<std::int32_t> upgraded = Params(LoadedCmd(180, {.kind = kCmdSetTarget, .params = Counting(15)}));
  // 189 inserts a 0 at 2, 747 sets 10, 11 and 14, 767 inserts a 0 at 0.
  EXPECT_EQ(upgraded, (std::vector<std::int32_t>{0, 1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 0, 1, 12, 13, 0}));
}

TEST_F(CommandUpgrade, FlowControlGetsItsConditionListAndFourthParameter) {
  const cEdCmd control = LoadedCmd(700, {.kind = kCmdFlowControl, .params = {1, 2, 3, 4}});
  ASSERT_TRUE(control.m_CondList);
  EXPECT_EQ(control.m_CondList->m_bUse, 0);
  EXPECT_EQ(Params(control), (std::vector<std::int32_t>{1, 2, 3, 0}));
  EXPECT_FALSE(LoadedCmd(878, {.kind = kCmdFlowControl, .params = {1, 2, 3, 4}}).m_CondList);
}

TEST_F(CommandUpgrade, SingleParameterSteps) {
  EXPECT_EQ(Params(LoadedCmd(150, {.kind = 35, .params = {1}})), (std::vector<std::int32_t>{1, 1}));  // BGM
  EXPECT_EQ(Params(LoadedCmd(140, {.kind = kCmdStageClear, .params = {2}}))[0], 3);
  EXPECT_EQ(LoadedCmd(140, {.kind = kCmdStageClear, .params = {2}}).m_vParams.size(), 9u);
  EXPECT_EQ(Params(LoadedCmd(722, {.kind = kCmdStageClear, .params = Counting(9)}))[0], 1);
  EXPECT_EQ(Params(LoadedCmd(205, {.kind = kCmdStatus2, .params = {1, 6, 0, 0, 0}}))[1], 7);
  EXPECT_EQ(Params(LoadedCmd(205, {.kind = kCmdStatus2, .params = {2, 6, 0, 0, 0}}))[1], 6);
  // "グラフィックの変更" was kind 25 before 734; its graphic stays at most 119.
  EXPECT_EQ(Params(LoadedCmd(218, {.kind = 25, .params = {3, 118, 0}}))[1], 119);
  EXPECT_EQ(Params(LoadedCmd(218, {.kind = 25, .params = {3, 119, 0}}))[1], 119);
  EXPECT_EQ(Params(LoadedCmd(218, {.kind = 25, .params = {2, 5, 0}}))[1], 5);
  EXPECT_EQ(LoadedCmd(815, {.kind = kCmdStatus2, .params = {1, 2, 3}}).m_vParams.size(), 5u);
}

TEST_F(CommandUpgrade, SummonedCharacterOf200LosesItsParameters) {
  EXPECT_TRUE(LoadedCmd(200, {.kind = kCmdSummonChara, .params = {1, 2, 3}}).m_vParams.empty());
}

TEST_F(CommandUpgrade, ShotAndChargeRecordsAreUpgradedWhenPresentAndSkippedWhenAbsent) {
  const ByteFixture shot = ShotStream(219, {{20, 5}});
  const cEdCmd fired = LoadedCmd(219, {.kind = kCmdShot, .shot = &shot});
  ASSERT_TRUE(fired.m_Shot);
  EXPECT_EQ(fired.m_Shot->m_nGraphic, 6);
  const ByteFixture lastShot = ShotStream(219, {{20, 119}});
  EXPECT_EQ(LoadedCmd(219, {.kind = kCmdShot, .shot = &lastShot}).m_Shot->m_nGraphic, 119);

  const ByteFixture move = MoveStream(500, {{3, 45}, {4, 5}, {5, 0}});
  const cEdCmd charge = LoadedCmd(500, {.kind = kCmdChargeMove, .move = &move});
  ASSERT_TRUE(charge.m_Move);
  EXPECT_EQ(charge.m_Move->m_nAngle, 0);
  EXPECT_EQ(charge.m_Move->m_nAngleStep, 0);
  EXPECT_EQ(charge.m_Move->m_bAngleMirror, 1);

  EXPECT_FALSE(LoadedCmd(219, {.kind = kCmdShot}).m_Shot);
  EXPECT_FALSE(LoadedCmd(500, {.kind = kCmdChargeMove}).m_Move);
  EXPECT_FALSE(LoadedCmd(766, {.kind = kCmdWarp}).m_Move);
}

}  // namespace
