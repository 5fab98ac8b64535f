// A status operation that changes the player hero's view range makes its
// view mask again at the new size; another character's leaves it alone.
#include <gtest/gtest.h>

#include "commands/status/status_operation.h"
#include "commands/status/status_table.h"
#include "definitions/command_record.h"
#include "graphics/device/device.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/draw/resources/view_mask.h"
#include "tests/graphics/effect_test_support.h"
#include "tests/stage/stage_fixture.h"

namespace {

cEdCmd SightOperation(std::int32_t halfBlocks) {
  cEdCmd command;
  command.m_nKind = kCmdStatus;
  command.m_vParams.assign(18, 0);
  command.m_vParams[4] = kStatusSight;
  command.m_vParams[7] = halfBlocks;
  return command;
}

TEST(ViewRangeMask, FollowsTheHerosViewRangeFromAStatusOperation) {
  ASSERT_TRUE(effect_test::StartDevice(effect_test::Mode::DirectDraw8, 640, 480));
  {
    StageBuilder builder(20, 15, 2, 10);
    builder.Chara(5, 10);
    StageRun run(builder);
    cHero* hero = run.harness.Hero();
    cStageChara* other = g_CharaList.Find([](cStageChara&) { return true; });
    ASSERT_NE(other, nullptr);
    RunStatusOperation(*hero, SightOperation(10));
    EXPECT_EQ(g_ViewMask.nWidth, 1280 + 2 * 160);
    EXPECT_EQ(g_ViewMask.nHeight, 960 + 2 * 160);
    RunStatusOperation(*other, SightOperation(4));
    EXPECT_EQ(g_ViewMask.nWidth, 1280 + 2 * 160);
  }
  ReleaseViewRangeMask();
  DDRelease();
}

}  // namespace
