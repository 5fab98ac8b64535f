// Formations and the clones of a firing, recorded instead of placed: the
// rows of "直進A" and "直進B" (straight, diagonal, turned by an angle and
// turned as a whole), the fans of "拡散", the rings of "爆発" and "包囲", the
// ranks of "落雷", the aim with and without the auto-scroll correction, and
// the clones' speed, mirror and random spread. Positions were worked out by
// hand from an owner whose drawn cell is 32 x 32 at (100, 200) on a screen
// scrolled to (0, 0), with 16 x 16 objects.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "commands/dispatch/directions.h"
#include "commands/firing/fire.h"
#include "commands/firing/formations.h"
#include "definitions/shot_record.h"
#include "foundation/text_format.h"
#include "stage/chara/stage_chara.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"
#include "tests/stage/stage_fixture.h"

namespace {

struct Spot {
  int x, y;
  bool operator==(const Spot&) const = default;
};

void PlaceOwnCell(cChara& chara, int left, int top) {
  chara.screenLeft = left;
  chara.screenTop = top;
  chara.screenRight = left + 31;
  chara.screenBottom = top + 31;
  chara.drawWidth = chara.drawHeight = 32;
}

class FormationTest : public testing::Test {
 protected:
  FormationTest() : run(builder) {
    for (ScrollAxis* axis : {&g_StageSpace.scrollX, &g_StageSpace.scrollY}) {
      axis->position = 0;
      axis->speed = 0;
    }
    owner.op = kOperatorPlayer;  // keeps the hand-set screen rectangle
    PlaceOwnCell(owner, 100, 200);
    rec.m_nCount = 1;
    rec.m_nSpeed = 10;
  }
  ~FormationTest() override { g_StageRules = StageRules{}; }

  Firing MakeFiring() {
    return {.scene = run.harness.Scene(), .owner = owner, .rec = rec, .kind = kPlaceShot,
            .place = [this](const Firing&, const ShotPlacement& p) { placed.push_back(p); }};
  }
  // One clone of 16 x 16 objects at speed 1 in direction `code`.
  std::vector<Spot> Form(int code, int angle = 0) {
    ShotPlacement p;
    p.speed = 1;
    p.angle = angle;
    p.direction = code;
    placed.clear();
    RunFormation(MakeFiring(), p);
    return Spots();
  }
  std::vector<Spot> Spots() const {
    std::vector<Spot> spots;
    for (const ShotPlacement& p : placed) spots.push_back({p.startX, p.startY});
    return spots;
  }
  // The angle of a placed object's velocity (degrees, 0 left, 90 up).
  double AngleOf(std::size_t i) const {
    const double degrees = std::atan2(-placed[i].vy, -placed[i].vx) * 180 / 3.14159265358979323846;
    return degrees < 0 ? degrees + 360 : degrees;
  }

  StageBuilder builder{40, 30, 2, 10};
  StageRun run;
  cStageChara owner;
  cStageChara target;
  cEdShot rec;
  std::vector<ShotPlacement> placed;
};

TEST_F(FormationTest, StraightARowsStandBesideTheOwner) {
  rec.m_nCount = 3;
  rec.m_anFormationParam[0] = 1;  // 16 dots apart
  EXPECT_EQ(Form(kDirRight), (std::vector<Spot>{{132, 176}, {132, 208}, {132, 240}}));
  EXPECT_EQ(placed[0].vx, 1);
  EXPECT_EQ(placed[0].vy, 0);
  EXPECT_EQ(Form(kDirLeft), (std::vector<Spot>{{85, 176}, {85, 208}, {85, 240}}));
  EXPECT_EQ(Form(kDirUp), (std::vector<Spot>{{76, 184}, {108, 184}, {140, 184}}));
  EXPECT_EQ(Form(kDirDown), (std::vector<Spot>{{76, 232}, {108, 232}, {140, 232}}));
  rec.m_nCount = 0;
  EXPECT_TRUE(Form(kDirRight).empty());
}

TEST_F(FormationTest, DiagonalRowsRunAcrossTheDiagonal) {
  EXPECT_EQ(Form(kDirUpRight), (std::vector<Spot>{{124, 191}}));
  EXPECT_EQ(Form(kDirDownLeft), (std::vector<Spot>{{91, 224}}));
  EXPECT_NEAR(placed[0].vx, -std::sqrt(0.5), 1e-12);
  EXPECT_NEAR(placed[0].vy, std::sqrt(0.5), 1e-12);
  rec.m_nCount = 2;
  rec.m_anFormationParam[0] = 1;
  // Centred on the single object's corner, laid rightwards and down.
  EXPECT_EQ(Form(kDirUpRight), (std::vector<Spot>{{112, 179}, {134, 201}}));
  // Up-left rows rise to the right.
  EXPECT_EQ(Form(kDirUpLeft), (std::vector<Spot>{{79, 202}, {101, 180}}));
}

TEST_F(FormationTest, AnAngleTurnsOnlyTheVelocityUnlessTheRowTurns) {
  rec.m_nCount = 3;
  rec.m_anFormationParam[0] = 1;
  const std::vector<Spot> straight = Form(kDirRight);
  EXPECT_EQ(Form(kDirRight, 30), straight);
  EXPECT_NEAR(AngleOf(0), 210, 1e-9);
  rec.m_nFormation = kFormationStraightB;
  const std::vector<Spot> column = Form(kDirRight);
  EXPECT_EQ(Form(kDirRight, 30), column);
  rec.m_bTurnRow = 1;
  EXPECT_EQ(Form(kDirRight, 30), column);  // "直進B" never turns its column
  rec.m_nFormation = kFormationStraightA;
  // Turned as a whole: left turned by 180 lays the right-hand row from the bottom up.
  EXPECT_EQ(Form(kDirLeft, 180), (std::vector<Spot>{{132, 240}, {132, 208}, {132, 176}}));
  EXPECT_NEAR(placed[0].vx, 1, 1e-12);
  // Right turned by -90 is up: the row across stands above the owner.
  EXPECT_EQ(Form(kDirRight, -90), (std::vector<Spot>{{76, 184}, {108, 184}, {140, 184}}));
}

TEST_F(FormationTest, StraightBStandsOnTheBottomEdge) {
  rec.m_nFormation = kFormationStraightB;
  rec.m_nCount = 2;
  rec.m_anFormationParam[0] = 1;
  EXPECT_EQ(Form(kDirLeft), (std::vector<Spot>{{85, 216}, {85, 184}}));
  EXPECT_EQ(Form(kDirDownRight), (std::vector<Spot>{{132, 216}, {132, 184}}));
  owner.facing = 0;
  EXPECT_EQ(Form(kDirUp).front(), (Spot{85, 216}));
  owner.facing = 1;
  EXPECT_EQ(Form(kDirUp).front(), (Spot{132, 216}));
  EXPECT_EQ(placed[0].vy, -1);
}

TEST_F(FormationTest, SpreadFansFromOnePoint) {
  rec.m_nFormation = kFormationSpread;
  rec.m_nCount = 2;
  rec.m_anFormationParam[0] = 30;
  EXPECT_EQ(Form(kDirRight), (std::vector<Spot>{{132, 208}, {132, 208}}));
  EXPECT_NEAR(AngleOf(0), 165, 1e-9);
  EXPECT_NEAR(AngleOf(1), 195, 1e-9);
  rec.m_nCount = 3;
  rec.m_anFormationParam[0] = 10;
  Form(kDirUp);
  EXPECT_EQ(Spots().front(), (Spot{108, 184}));
  EXPECT_NEAR(AngleOf(0), 80, 1e-9);
  EXPECT_NEAR(AngleOf(2), 100, 1e-9);
  EXPECT_EQ(Form(kDirUpRight).front(), (Spot{124, 191}));  // the diagonal row's middle
}

TEST_F(FormationTest, BurstLeavesTheCentreInAllDirections) {
  rec.m_nFormation = kFormationBurst;
  rec.m_nCount = 4;
  EXPECT_EQ(Form(kDirRight), (std::vector<Spot>(4, Spot{108, 208})));
  const double expected[] = {180, 270, 0, 90};  // right, down, left, up
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(std::fmod(AngleOf(i) + 1, 360), expected[i] + 1, 1e-9) << i;
  rec.m_nCount = 0;
  EXPECT_TRUE(Form(kDirRight).empty());  // no division by a count of 0
}

TEST_F(FormationTest, SurroundClosesInOnTheChosenCharacter) {
  rec.m_nFormation = kFormationSurround;
  rec.m_nCount = 4;
  rec.m_anFormationParam[0] = 2;  // 32 dots
  rec.m_nFormationBase = 2;       // around the owner
  EXPECT_EQ(Form(kDirLeft), (std::vector<Spot>{{148, 216}, {116, 248}, {84, 216}, {116, 184}}));
  EXPECT_NEAR(placed[0].vx, -1, 1e-12);  // toward the centre
  EXPECT_NEAR(placed[1].vy, -1, 1e-12);
  rec.m_nFormationBase = 0;  // around the target: the slot is empty
  EXPECT_TRUE(Form(kDirLeft).empty());
  PlaceOwnCell(target, 300, 100);
  owner.targets[0] = &target;
  EXPECT_EQ(Form(kDirLeft).front(), (Spot{348, 116}));
  owner.targets[0] = nullptr;
  rec.m_nFormationBase = 2;
  rec.m_nCount = 0;
  EXPECT_TRUE(Form(kDirLeft).empty());
}

TEST_F(FormationTest, ThunderRanksComeInFromTheScreenEdge) {
  rec.m_nFormation = kFormationThunder;
  rec.m_nFormationBase = 2;
  rec.m_nCount = 2;                      // ranks
  rec.m_anFormationParam[0] = 1;         // 16 dots between ranks
  rec.m_anFormationParam[1] = 3;         // objects per rank
  rec.m_anFormationParam[2] = 2;         // 32 dots apart
  EXPECT_EQ(Form(kDirRight),
            (std::vector<Spot>{{0, 176}, {0, 208}, {0, 240}, {32, 176}, {32, 208}, {32, 240}}));
  g_StageRules.thunderTightRanks = 1;
  EXPECT_EQ(Form(kDirRight)[3], (Spot{16, 176}));
  g_StageRules.thunderTightRanks = 0;
  rec.m_anFormationParam[1] = 2;  // an even rank sits half a gap off the line
  EXPECT_EQ(Form(kDirUp), (std::vector<Spot>{{92, 464}, {124, 464}, {92, 432}, {124, 432}}));
  rec.m_nCount = 1;
  rec.m_anFormationParam[1] = 1;
  EXPECT_EQ(Form(kDirUpLeft), (std::vector<Spot>{{364, 464}}));
  EXPECT_EQ(Form(kDirDownRight), (std::vector<Spot>{{0, 100}}));
  rec.m_nCount = 2;
  rec.m_anFormationParam[1] = 2;
  EXPECT_EQ(Form(kDirUpLeft), (std::vector<Spot>{{353, 475}, {375, 453}, {331, 453}, {353, 431}}));
  EXPECT_NEAR(placed[0].vx, -std::sqrt(0.5), 1e-12);
  EXPECT_NEAR(placed[0].vy, -std::sqrt(0.5), 1e-12);
}

TEST_F(FormationTest, AimFollowsTheTargetAndTheAutoScroll) {
  rec.m_bAim = 1;
  rec.m_nFormation = kFormationSpread;
  rec.m_nSpeed = 25;
  Form(kDirLeft, 10);  // empty slot, facing left: 0 + 10
  EXPECT_NEAR(AngleOf(0), 10, 1e-9);
  owner.facing = 1;
  Form(kDirLeft, 10);  // facing right: 180 + 10
  EXPECT_NEAR(AngleOf(0), 190, 1e-9);
  // The target's drawn centre is 3 right and 1 up of the start object's centre (93, 216).
  PlaceOwnCell(target, 80, 199);
  owner.targets[0] = &target;
  Form(kDirLeft);
  EXPECT_NEAR(AngleOf(0), 162, 1e-9);  // 161.57 rounded
  EXPECT_EQ(placed[0].speed, 1);
  // The view scrolls by itself and the target rides it: the aim is taken on
  // the screen, truncated, at the record's speed.
  g_StageSpace.scrollX.speed = 0.5;
  g_StageSpace.scrollX.atLimit = 0;
  target.scrollSync = 1;
  Form(kDirLeft);
  EXPECT_NEAR(AngleOf(0), 161, 1e-9);
  EXPECT_NEAR(placed[0].speed, 2.5, 1e-12);  // "速度" 25 at speed level 1
  g_StageRules.noScrollSync = 1;  // without synchronisation the scroll's speed adds to the aim
  Form(kDirLeft);
  EXPECT_NEAR(AngleOf(0), 164, 1e-9);
  EXPECT_NEAR(placed[0].speed, 2.9785412948499, 1e-9);
  g_StageRules.noScrollSync = 0;
  g_StageSpace.scrollX.atLimit = 1;  // a scroll stopped at its limit does not count
  Form(kDirLeft);
  EXPECT_NEAR(AngleOf(0), 162, 1e-9);
  g_StageSpace.scrollX.atLimit = 0;
  rec.m_bScroll = 1;  // shots riding the scroll aim plainly
  Form(kDirLeft);
  EXPECT_NEAR(AngleOf(0), 162, 1e-9);
}

TEST_F(FormationTest, ClonesSpeedUpMirrorAndSpread) {
  rec.m_nClones = 2;
  rec.m_nSpeed = 20;
  rec.m_nSpeedStep = 5;
  rec.m_nAngle = 30;
  rec.m_nAngleStep = 10;
  rec.m_bAngleMirror = 1;
  rec.m_nShiftX = 4;
  rec.m_nShiftXStep = 2;
  rec.m_bMirrorShiftX = 1;
  owner.facing = 1;
  FireClones(MakeFiring());
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[0].angle, 330);  // mirrored for an owner facing right
  EXPECT_EQ(placed[2].angle, 310);
  EXPECT_DOUBLE_EQ(placed[2].speed, 3.0);
  EXPECT_EQ(placed[1].shiftX, -6);
  EXPECT_EQ(placed[1].direction, kDirRight);  // "前" of an owner facing right
  // A backward shot of an owner facing left flies right.
  owner.facing = 0;
  rec.m_nClones = 0;
  rec.m_nAngle = 0;
  rec.m_nDirection = 1;
  placed.clear();
  FireClones(MakeFiring());
  ASSERT_EQ(placed.size(), 1u);
  EXPECT_GT(placed[0].vx, 0);
}

TEST_F(FormationTest, SpreadAnglesComeFromTheSeededGenerator) {
  rec.m_nClones = 60;
  rec.m_nSpread = 3;
  SeedRand(11);
  FireClones(MakeFiring());
  std::vector<int> angles;
  for (const ShotPlacement& p : placed) angles.push_back(p.angle);
  EXPECT_EQ(*std::min_element(angles.begin(), angles.end()), -3);
  EXPECT_EQ(*std::max_element(angles.begin(), angles.end()), 3);
  SeedRand(11);
  placed.clear();
  FireClones(MakeFiring());
  for (std::size_t i = 0; i < angles.size(); ++i) EXPECT_EQ(placed[i].angle, angles[i]);
}

TEST_F(FormationTest, BadBytesPlaceNothing) {
  rec.m_nFormation = 6;
  EXPECT_TRUE(Form(kDirLeft).empty());
  rec.m_nFormation = kFormationStraightA;
  EXPECT_TRUE(Form(13).empty());
  rec.m_nFormation = kFormationSurround;
  rec.m_nFormationBase = 0;
  rec.m_nAimSlot = 4;
  EXPECT_TRUE(Form(kDirLeft).empty());
  rec.m_nFormationBase = 3;
  EXPECT_TRUE(Form(kDirLeft).empty());
  rec.m_nFormation = kFormationThunder;
  rec.m_nFormationBase = 2;
  rec.m_nCount = 255;
  rec.m_anFormationParam[1] = 65535;  // 16 million objects: refused
  EXPECT_TRUE(Form(kDirLeft).empty());
}

}  // namespace
