// A shot's flight, one sub-step at a time: its movement kind steers its own
// velocity, the acceleration and the scroll it rides are added, its
// existence and range run down, then it moves along y and x and meets the
// blocks. The steering kinds aim once (at the hero, the nearest character
// of a side, or the target), home on such a character between two steps,
// wave sideways, or start falling.
//
// The shots' part of a sub-step walks every shot in firing order through
// those steps; in the first sub-step of a frame a shot in its removal area
// goes (area 4 for side 0, area 5 for the others, when that area has a side
// switched on), and a shot that meets a block goes. The walk sits beside the
// steps so that they are compiled into it: it runs for thousands of shots.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "definitions/stage/stage_record.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/chara/hero.h"
#include "stage/core/double_to_int.h"
#include "stage/motion/aiming.h"
#include "stage/motion/chara_search.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/removal_area.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"
#include "stage/shots/shot_list.h"
#include "stage/shots/shot_motion.h"
#include "stage/shots/stage_shot.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

bool Alive(const cChara* chara) { return chara != nullptr && !chara->dead && !chara->removed; }

// The step at which a distance of `hbl` half blocks is flown at the aim
// speed; 0 when the shot has no speed.
std::int32_t StepForDistance(int hbl, double speed) {
  if (speed == 0) return 0;
  return TruncToInt(hbl * 16.0 / speed);
}

// With the stage's on-screen-only switch on, a shot never goes for a
// character the player cannot see; with it off, such a character is taken
// when none on the screen qualifies.
cChara* NearestOfSide(const cStageShot& shot, int side) {
  cStageScene* scene = StageScene();
  if (scene == nullptr || side < 0 || side >= kSides) return nullptr;
  double cx = 0;
  double cy = 0;
  ShotCentre(shot, cx, cy);
  const int mode = g_PlayStage.OnScreenOnly ? kNearestOnScreenOnly : kNearestOnScreenFirst;
  return FindNearestChara(cx, cy, scene->m_GroupLists[static_cast<std::size_t>(side)], mode, {});
}

// The living character a steering kind goes for; null when none.
cChara* ChosenChara(const cStageShot& shot) {
  cChara* chosen = nullptr;
  switch (shot.rec.m_nMoveKind) {
    case kShotAimHero:
    case kShotHomeHero: chosen = PlayerHero(); break;
    case kShotAimNearest:
    case kShotHomeNearest:
    case kShotHomeNearestNext: chosen = NearestOfSide(shot, shot.rec.m_anMoveParam[2]); break;
    case kShotAimTarget:
    case kShotHomeTarget: chosen = shot.target; break;
    default: break;
  }
  return Alive(chosen) ? chosen : nullptr;
}

// The aim speed from the shot's drawn centre toward the character's, free
// and without stopping there. The shot's own scroll riding is the screen-
// fixed argument: a riding shot moves with the view already, so the course
// is the plain one; only with synchronisation switched off for the project
// is the view's own speed added, as for every aimed motion.
PlaneAim Toward(const cStageShot& shot, const cChara& chara) {
  double fromX = 0;
  double fromY = 0;
  double toX = 0;
  double toY = 0;
  ShotCentre(shot, fromX, fromY);
  GetCenter(chara, toX, toY);
  return VelocityTowardScrolled(shot, fromX, fromY, toX, toY, shot.aimSpeed, shot.scrollSync, 1, 0);
}

void Aim(cStageShot& shot) {
  if (shot.moveStep == 0) shot.aimStart = StepForDistance(shot.rec.m_anMoveParam[0], shot.aimSpeed);
  if (shot.aimDone || shot.moveStep != shot.aimStart) return;
  if (const cChara* chosen = ChosenChara(shot)) {
    const PlaneAim aim = Toward(shot, *chosen);
    shot.ownVx = aim.vx;
    shot.ownVy = aim.vy;
    SplitAccel(shot, aim.vx, aim.vy);
  }
  shot.aimDone = 1;
}

void Home(cStageShot& shot) {
  if (shot.moveStep == 0) {
    shot.aimStart = StepForDistance(shot.rec.m_anMoveParam[0], shot.aimSpeed);
    shot.aimEnd = StepForDistance(shot.rec.m_anMoveParam[1], shot.aimSpeed);
  }
  if (shot.aimDone) return;
  if (shot.moveStep >= shot.aimEnd) {
    shot.aimDone = 1;
    return;
  }
  if (shot.moveStep < shot.aimStart) return;
  const cChara* chosen = ChosenChara(shot);
  if (chosen == nullptr) return;
  const PlaneAim aim = Toward(shot, *chosen);
  if (!shot.accelOn || shot.moveStep == shot.aimStart) {
    shot.ownVx = aim.vx;
    shot.ownVy = aim.vy;
  }
  if (shot.accelOn) SplitAccel(shot, aim.vx, aim.vy);
}

// A component that the wave pushes across zero stops there.
double AddWave(double velocity, double push) {
  const double next = velocity + push;
  return (velocity > 0 && next < 0) || (velocity < 0 && next > 0) ? 0.0 : next;
}

void Wave(cStageShot& shot) {
  const double level = g_StageSpace.levelF;
  const int speed = shot.rec.m_anMoveParam[1];
  if (shot.moveStep == 0) {
    double start = shot.rec.m_anMoveParam[2];
    if (!shot.facing) start += 180;
    shot.wavePhaseStep = speed == 0 ? 0.0 : 360.0 / speed * level;
    shot.wavePhase = std::fmod(start, 360.0) * level;
    // The direction of the own velocity (0 left, 90 up) turned by -90.
    const double turned = std::atan2(-shot.ownVy, -shot.ownVx) / kDegree - 90.0;
    shot.waveSin = std::sin(turned * kDegree);
    shot.waveCos = std::cos(turned * kDegree);
  }
  if (speed == 0) return;
  const double step = WaveStep(shot.rec.m_anMoveParam[0] * 16.0, 1.0, shot.wavePhase, shot.wavePhaseStep, 0.0);
  shot.ownVx = AddWave(shot.ownVx, -shot.waveCos * step);
  shot.ownVy = AddWave(shot.ownVy, -shot.waveSin * step);
}

void Fall(cStageShot& shot) {
  if (shot.moveStep == 0) shot.aimStart = StepForDistance(shot.rec.m_anMoveParam[0], shot.aimSpeed);
  if (shot.aimDone || shot.moveStep != shot.aimStart) return;
  shot.vy = shot.ownVy;
  shot.moveA = 0;
  shot.aimDone = 1;
}

void Steer(cStageShot& shot) {
  switch (shot.rec.m_nMoveKind) {
    case kShotAimHero:
    case kShotAimNearest:
    case kShotAimTarget: Aim(shot); break;
    case kShotHomeHero:
    case kShotHomeNearest:
    case kShotHomeTarget:
    case kShotHomeNearestNext: Home(shot); break;
    case kShotWave: Wave(shot); break;
    case kShotFall: Fall(shot); break;
    default: break;
  }
  ++shot.moveStep;
}

void TakeVelocity(cStageShot& shot, double carryX, double carryY) {
  shot.vx = carryX + shot.ownVx;
  if (shot.Floats()) shot.vy = carryY + shot.ownVy;
}

}  // namespace

int cStageShot::MoveShot() {
  if (IsSword()) return SwordStep();
  const double carryX = scrollSync ? g_StageSpace.scrollX.CarrySpeed() : 0.0;
  const double carryY = scrollSync && Floats() ? g_StageSpace.scrollY.CarrySpeed() : 0.0;
  Steer(*this);
  if (accelOn) {
    ownVx += accelX;
    if (Floats()) ownVy += accelY;
    else vy += accelY;
  }
  TakeVelocity(*this, carryX, carryY);
  if (rec.m_bLifeTime) {
    if (lifeLeft == 0) return 1;
    --lifeLeft;
  }
  if (vx > 0) facing = 1;
  else if (vx < 0) facing = 0;
  if (rec.m_bRange) {
    if (rangeLeft != 0) {
      --rangeLeft;
    } else {
      if (!rec.m_bStopAtRange) return 1;
      // The moves along the axes add the acceleration too: a stopped shot
      // keeps none, or it would creep on by it every sub-step.
      ownVx = ownVy = 0;
      accelX = accelY = 0;
      rec.m_nMoveKind = kShotStraight;
      TakeVelocity(*this, carryX, carryY);
    }
  }
  return 0;
}

void cStageShot::ApplyShotGravity() {
  if (!Floats()) vy += g_StageSpace.gravityStep;
}

// The acceleration is added once more when the shot moves along each axis,
// after the flight step added it to the velocity it keeps.
int cStageShot::ShotStepY() {
  vy += accelY;
  if (vy == 0) return 0;
  return MoveObjectStepY(*this, kClampStage);
}

int cStageShot::ShotStepX() {
  vx += accelX;
  const double limit = g_StageSpace.speedLimit;
  if (vx > limit) vx = limit;
  else if (vx < -limit) vx = -limit;
  if (vx == 0) return 0;
  x += vx;
  return ShotClampX(*this);
}

namespace {

// Narrow boxes test their corners; wide ones every 32 dots and the far
// edge. A cell met twice in a row is tested once; an empty cell is known
// by its bit alone. Kept out of line: it runs only for the few shots near
// a block, and the walk of all shots stays small without it.
[[gnu::noinline]] int SolidBlockInBox(int left, int top, int right, int bottom, int side) {
  std::size_t lastCell = g_BlockMap.Size();
  for (int cellY = top;; cellY = std::min(cellY + 32, bottom)) {
    for (int cellX = left;; cellX = std::min(cellX + 32, right)) {
      const std::size_t cell = g_BlockMap.IndexAt(cellX, cellY);
      if (cell != lastCell && g_BlockMap.HasBlock(cell) && IsBlockSolidFor(g_BlockMap.Cell(cell), side) != 0)
        return 1;
      lastCell = cell;
      if (cellX >= right) break;
    }
    if (cellY >= bottom) break;
  }
  return 0;
}

}  // namespace

int cStageShot::ShotHitsBlock() const {
  if (rec.m_bPassBlocks == 1) return 0;
  const int left = TruncToInt(box.left);
  const int top = TruncToInt(box.top);
  const int right = TruncToInt(box.right);
  const int bottom = TruncToInt(box.bottom);
  // Most shots fly where no cell under their box holds a block.
  if (!g_BlockMap.AnyBlockIn(left, top, right, bottom)) return 0;
  return SolidBlockInBox(left, top, right, bottom, side);
}

namespace {

constexpr int kShotAreaSide0 = 3;
constexpr int kShotAreaOthers = 4;

bool LeftByArea(const cStageShot& shot) {
  const int area = shot.side == 0 ? kShotAreaSide0 : kShotAreaOthers;
  return g_PlayStage.RemovalAreas[static_cast<std::size_t>(area)].IsOn() && InRemovalArea(shot, area);
}

}  // namespace

// Flattened: the compiler's own limits left MoveShot, ShotStepX and
// ShotHitsBlock as calls, and the walk runs them for thousands of shots a
// sub-step; compiled into it they save about 5 % of a frame (bench/shots).
// Only the rare paths (a block near the box, the steering searches) stay
// calls. Inlining changes no arithmetic: the same operations in the same
// order.
[[gnu::flatten]] void StepShots(cStageScene&, int subStep) {
  g_ShotList.ForEach([&](cStageShot& shot) {
    if (shot.MoveShot() != 0) {
      RemoveShot(shot);
      return;
    }
    shot.ApplyShotGravity();
    shot.ShotStepY();
    shot.ShotStepX();
    if (subStep == 1 && LeftByArea(shot)) RemoveShot(shot);
    else if (shot.ShotHitsBlock() != 0) RemoveShot(shot);
  });
}
