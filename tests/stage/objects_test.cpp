// The moving-object base (clamp codes, scaling, screen position), extra
// animations and their frame choice, flow removal, the removal areas, and
// the conversion of positions to ints.
#include <gtest/gtest.h>

#include <limits>

#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/double_to_int.h"
#include "stage/objects/removal_area.h"
#include "stage/objects/stage_space.h"
#include "tests/stage/stage_fixture.h"

namespace {

cStageObj Box(double x, double y, int w = 32, int h = 32) {
  cStageObj obj;
  obj.Init(1, 1, 0, 0, 0, nullptr, 0, 0, 0, w, h, 32, 32, 0, 0, 0);
  obj.x = x;
  obj.y = y;
  return obj;
}

TEST(StageObj, ClampCodesByMode) {
  StageBuilder builder(60, 30, 0, 0);
  StageRun run(builder);
  const AxisRange& rx = g_StageSpace.x;
  cStageObj inside = Box(rx.innerMin + 100, 0);
  EXPECT_EQ(inside.ClampToStageX(kClampStage), 0);
  cStageObj edge = Box(-5, 0);
  EXPECT_EQ(edge.ClampToStageX(kClampStage), 3);
  EXPECT_EQ(edge.x, 0);
  cStageObj beyond = Box(rx.size + 10, 0);
  EXPECT_EQ(beyond.ClampToStageX(kClampStage), 3);
  EXPECT_EQ(beyond.x, rx.size - 32);
  EXPECT_EQ(beyond.right, rx.size - 1);
  EXPECT_EQ(beyond.rightColumn, (rx.size - 1) >> 5);
  cStageObj margin = Box(rx.innerMin - 40, 0);
  EXPECT_EQ(margin.ClampToStageX(kClampStage), rx.outerMin > rx.innerMin - 40 ? 2 : 1);
  cStageObj inner = Box(rx.innerMin - 40, 0);
  EXPECT_EQ(inner.ClampToStageX(kClampInner), 0);
  EXPECT_EQ(inner.x, rx.innerMin);
  // A box at least as tall as the margin is not moved by the y clamp.
  cStageObj tall = Box(100, -10, 32, 10 * 32);
  EXPECT_EQ(tall.ClampToStageY(kClampStage), 0);
  EXPECT_EQ(tall.y, -10);
  cStageObj small = Box(100, -10);
  EXPECT_EQ(small.ClampToStageY(kClampStage), 3);
  EXPECT_EQ(small.y, 0);
  cStageObj low = Box(100, g_StageSpace.y.size);
  EXPECT_EQ(low.ClampToStageY(kClampStage), 6);
}

TEST(StageObj, ScalingAndScreenPosition) {
  StageBuilder builder(60, 30, 0, 0);
  StageRun run(builder);
  cStageObj obj = Box(1000, 600, 16, 16);
  obj.SetScale(2, 1, 0);
  EXPECT_EQ(obj.hitWidth, 32);
  EXPECT_EQ(obj.drawWidth, 64);
  EXPECT_EQ(obj.x, 1000 - 8);  // stays centred
  const cStageObj before = obj;
  obj.SetScale(2, 2, 0);
  EXPECT_EQ(obj.x, before.x);
  g_StageSpace.scrollX.position = 900.5;
  g_StageSpace.scrollY.position = 500;
  obj.UpdateScreenPos();
  EXPECT_EQ(obj.screenLeft, 92);
  EXPECT_EQ(obj.screenRight, 92 + 63);
  // Flying on a running vertical auto-scroll: one dot lower than stopped.
  obj.SetMoveMode(2);
  g_StageSpace.scrollY.speed = 1;
  g_StageSpace.scrollY.atLimit = 0;
  obj.UpdateScreenPos();
  const int running = obj.screenTop;
  g_StageSpace.scrollY.atLimit = 1;
  obj.UpdateScreenPos();
  EXPECT_EQ(running, obj.screenTop + 1);
  EXPECT_EQ(obj.existTime, kUnlimitedTime);
}

TEST(ExtraAnimes, TimedBeatsUntimedAndLeastTimeWins) {
  StageBuilder builder(20, 5, 0, 0);
  StageRun run(builder);
  cChara& hero = *run.harness.Hero();
  auto add = [&](int frame, int timed, int timeLeft, int flowId) {
    ExtraAnime anime;
    anime.player.Build(cVector<Pattern>{Pattern{{frame, 100, 0}, {-2, 0, 0}}});
    anime.player.SetPattern(0, 1);
    anime.timed = timed;
    anime.timeLeft = timeLeft;
    anime.flowId = flowId;
    hero.extraAnimes.push_back(anime);
  };
  add(10, 0, 0, 1);
  EXPECT_EQ(hero.StepCharaAnim(1), 10);
  add(20, 1, 50, 2);
  add(30, 1, 30, 3);
  EXPECT_EQ(hero.StepCharaAnim(1), 30);
  hero.RemoveListEntriesById(3);  // time left: marked done
  EXPECT_EQ(hero.StepCharaAnim(1), 20);
  hero.ClearEntryFlagById(3);
  EXPECT_EQ(hero.StepCharaAnim(1), 30);
  hero.StopFlowAnims(3);
  hero.StopFlowAnims(2);
  EXPECT_EQ(hero.StepCharaAnim(1), 10);
  // A one-shot extra animation is dropped when it reaches its end.
  ExtraAnime once;
  once.player.Build(cVector<Pattern>{Pattern{{40, 1, 0}, {-4, 0, 0}}});
  once.player.SetPattern(0, 1);
  once.timed = 1;
  once.timeLeft = 5;
  hero.extraAnimes.push_back(once);
  hero.StepCharaAnim(0);
  EXPECT_EQ(hero.extraAnimes.size(), 1u);
}

TEST(CharaFlows, RemoveFlowsById) {
  StageBuilder builder(20, 5, 0, 0);
  for (int id : {1, 2, 1}) {
    cEdFlow flow;
    flow.m_nId = static_cast<std::uint8_t>(id);
    builder.Hero().m_vFlows.push_back(flow);
  }
  StageRun run(builder);
  cChara& hero = *run.harness.Hero();
  ASSERT_EQ(hero.flows.size(), 3u);
  EXPECT_EQ(hero.RemoveFlowsById(1), 0);
  ASSERT_EQ(hero.flows.size(), 1u);
  EXPECT_EQ(hero.flows[0].flow->m_nId, 2);
  EXPECT_EQ(hero.RemoveFlowsById(5), -1);
  EXPECT_EQ(hero.RemoveFlowsById(0), 0);
  EXPECT_TRUE(hero.flows.empty());
}

TEST(RemovalAreas, RunInTheFirstSubStepOnly) {
  StageBuilder builder(80, 5, 1, 1, 3);
  builder.stage.RemovalAreas[0].Set(0, 1, 0, 0, 0, 2, 0, 0);  // right, 2 blocks beyond the view
  builder.Chara(70, 1);
  builder.Chara(12, 1);
  StageRun run(builder);
  EXPECT_EQ(g_CharaList.Count(), 2u);
  run.harness.Step(0, 0);
  EXPECT_EQ(g_CharaList.Count(), 1u);
  EXPECT_NE(run.harness.CharaBySerial(2), nullptr);
}

// An object that stood on the screen when that was last worked out is
// spared, whatever lies beyond it now; an area that is on takes whatever
// touches the whole stage's edges, its switches aside.
TEST(RemovalAreas, SpareWhatWasOnTheScreenAndTakeWhatTouchesTheStageEdges) {
  StageBuilder builder(80, 5, 1, 1);
  builder.stage.RemovalAreas[0].Set(0, 1, 0, 0, 0, 1, 0, 0);  // right, a block beyond the view
  builder.Chara(8, 1);
  builder.Chara(9, 1);
  builder.Chara(10, 1);
  StageRun run(builder);
  run.harness.Step(0, 0);
  ASSERT_EQ(g_CharaList.Count(), 3u);
  cStageChara& carried = *run.harness.CharaBySerial(1);
  ASSERT_EQ(carried.onScreen, 1);
  carried.x = g_StageSpace.scrollX.position + 640 + 64;
  carried.ClampX();
  EXPECT_FALSE(InRemovalArea(carried, 0));

  cStageChara& left = *run.harness.CharaBySerial(2);
  left.x = 0;
  left.ClampX();
  cStageChara& right = *run.harness.CharaBySerial(3);
  right.x = g_StageSpace.x.size - right.hitWidth;
  right.ClampX();
  run.harness.Step(0, 0);
  EXPECT_EQ(run.harness.CharaBySerial(2), nullptr);
  EXPECT_EQ(run.harness.CharaBySerial(3), nullptr);
}

}  // namespace

TEST(CharaBoxTest, ABoxFollowingARunawayPositionWrapsAsTheProcessorDid) {
  CharaBox box;
  box.SetBase(-7, 3, 16, 24);
  box.FollowX(-3.0e9);  // truncates to INT_MIN, then the offset wraps
  EXPECT_EQ(box.left, 2147483641.0);
  EXPECT_EQ(box.right, -2147483640.0);
  box.FollowY(2147483640.0);
  EXPECT_EQ(box.top, 2147483643.0);
  EXPECT_EQ(box.bottom, -2147483630.0);
}

TEST(TruncToIntTest, TruncatesTowardZeroAndGivesIntMinOutsideTheRange) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(TruncToInt(1.9), 1);
  EXPECT_EQ(TruncToInt(-1.9), -1);
  EXPECT_EQ(TruncToInt(2147483647.9), 2147483647);
  EXPECT_EQ(TruncToInt(-2147483648.9), kMin);
  EXPECT_EQ(TruncToInt(2147483648.0), kMin);
  EXPECT_EQ(TruncToInt(-2147483649.0), kMin);
  EXPECT_EQ(TruncToInt(std::numeric_limits<double>::infinity()), kMin);
  EXPECT_EQ(TruncToInt(-std::numeric_limits<double>::infinity()), kMin);
  EXPECT_EQ(TruncToInt(std::numeric_limits<double>::quiet_NaN()), kMin);
}
