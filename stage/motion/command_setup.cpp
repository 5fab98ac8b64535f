#include "stage/motion/command_setup.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "definitions/command_record.h"
#include "definitions/stage/stage_record.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"

namespace {

enum TimeMode : int { kTimeAndSpeed = 0, kTimeAndDistance = 1, kSpeedAndDistance = 2 };
enum RotationSense : int { kTurnLeft = 2, kTurnRight = 3 };
constexpr int kJumpHeightParam = 2;
constexpr int kDistanceInDots = 1;
constexpr int kHalfBlock = 16;
constexpr int kMaxCirclePeriod = 20;

std::int32_t ClampToInt(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// The truncated value made non-negative the way the processor's negation
// does it: INT_MIN (what an infinite or NaN quotient truncates to) stays.
std::int32_t NonNegative(std::int32_t value) { return value < 0 && value != INT_MIN ? -value : value; }

}  // namespace

void SetCommandTime(cCmdState& entry, int clone) {
  const cEdCmd& command = *entry.cmd;
  const std::int64_t tenths = std::int64_t{command.m_nTime} + std::int64_t{command.m_nTimeStep} * clone;
  entry.duration = ClampToInt(tenths * g_StageSpace.level * 6);
  if (const cEdMove* move = command.m_Move.get()) {
    const double level = g_StageSpace.levelF;
    entry.moveSpeed = (move->m_nSpeed + static_cast<double>(move->m_nSpeedStep) * clone) * 0.1 / level;
    if (move->m_bAccelerate) entry.topSpeed = move->m_nTopSpeed * 0.1 / level;
    entry.moveType = move->m_nDirection;
  }
}

void SetCommandDistance(cCmdState& entry, int clone) {
  const cEdMove* move = entry.cmd->m_Move.get();
  if (move == nullptr || move->m_nTimeMode == kTimeAndSpeed) return;
  const double unit = move->m_nDistanceUnit == kDistanceInDots ? 1.0 : kHalfBlock;
  const double distance = (move->m_nDistance + static_cast<double>(move->m_nDistanceStep) * clone) * unit;
  if (move->m_nTimeMode == kTimeAndDistance) {
    entry.moveSpeed = distance / entry.duration;
  } else if (move->m_nTimeMode == kSpeedAndDistance) {
    const std::int32_t steps = TruncToInt(distance / entry.moveSpeed);
    entry.duration = g_StageRules.oldTimeModeSign ? steps : NonNegative(steps);
  }
}

double JumpSpeedOf(const cChara& chara, int halfBlocks) {
  double speed = JumpSpeedForHbl(halfBlocks);
  if (g_StageRules.jumpScaling && chara.op == 0) speed *= 0.99 - 0.025 * g_PlayStage.Gravity;
  return speed;
}

void SetJumpCommand(cCmdState& entry, const cChara& chara) {
  cEdCmd& command = *entry.cmd;
  const int height = command.ParamOrZero(kJumpHeightParam);
  entry.moveSpeed = JumpSpeedOf(chara, height);
  command.m_nTime = static_cast<std::int16_t>(std::clamp(JumpTimeForHbl(height), -32768, 32767));
  entry.duration = ClampToInt(std::int64_t{command.m_nTime} * g_StageSpace.level * 6);
}

void SetCircleCommand(cCmdState& entry, const cChara& chara) {
  const cEdMove* move = entry.cmd->m_Move.get();
  if (move == nullptr) return;
  const int clone = chara.cloneValue;
  const std::int64_t level = g_StageSpace.level;
  int sense = move->m_nDirection == kTurnRight ? kTurnRight : kTurnLeft;
  const auto flip = [](int s) { return s == kTurnLeft ? kTurnRight : kTurnLeft; };
  std::int64_t extra = 0;
  const bool placedMirrored = chara.def.m_nFacing != 0;
  if (placedMirrored && move->CircleMirror()) {
    sense = flip(sense);
    extra = 180;
  }
  if (placedMirrored && move->CircleMirrorAgain()) sense = flip(sense);
  entry.circleSense = sense;

  const std::int64_t period = std::int64_t{move->CirclePeriod()} + std::int64_t{move->CirclePeriodStep()} * clone;
  entry.circlePeriod = ClampToInt(std::clamp<std::int64_t>(period, 0, kMaxCirclePeriod) * 16 * level);
  const std::int64_t cloneTurn = std::int64_t{move->m_nAngleStep} * clone;
  const std::int64_t start = move->CircleAddAngle() + extra + move->m_nAngle + cloneTurn;
  const std::int64_t end = move->CircleAddAngle() + extra + move->CircleEndAngle() + cloneTurn;
  entry.circleStart = static_cast<double>(start * level);
  entry.circleEnd = static_cast<double>(end * level);
  const double span = move->CircleEndAngle() <= move->m_nAngle ? entry.circleStart - entry.circleEnd
                                                                   : entry.circleEnd - entry.circleStart;
  if (move->m_nTimeMode == kTimeAndSpeed) {
    entry.circleSpeed = span / entry.duration / g_StageSpace.levelF;
  } else {
    entry.circleSpeed = entry.moveSpeed;
    if (move->m_nTimeMode == kTimeAndDistance)
      entry.duration = NonNegative(TruncToInt(span / entry.moveSpeed / g_StageSpace.levelF));
  }
}
