#include "stage/objects/stage_obj.h"

#include "stage/core/double_to_int.h"
#include "stage/objects/stage_space.h"

void cStageObj::Init(int number_, int playerFlag, int value2, int value3_, int value4_,
                     const cVector<Pattern>* patterns, int startPattern, int offsetX, int offsetY, int hitWidth_,
                     int hitHeight_, int drawWidth_, int drawHeight_, int facing_, int moveMode, int value16_) {
  number = number_;
  op = playerFlag;
  value32 = value2;
  value3 = value3_;
  value4 = value4_;
  value16 = static_cast<std::int16_t>(value16_);
  existTime = kUnlimitedTime;
  if (patterns != nullptr) {
    anime.Build(*patterns);
    anime.SetPattern(startPattern, 1);
  }
  graphicOffsetX = baseGraphicOffsetX = offsetX;
  graphicOffsetY = baseGraphicOffsetY = offsetY;
  hitWidth = baseHitWidth = hitWidth_;
  hitHeight = baseHitHeight = hitHeight_;
  drawWidth = baseDrawWidth = drawWidth_;
  drawHeight = baseDrawHeight = drawHeight_;
  facing = facing_;
  vx = vy = knockX = knockY = 0;
  present = onScreen = awake = 0;
  SetMoveMode(moveMode);
}

void cStageObj::SetMoveMode(int mode) {
  switch (mode) {
    case 0: moveA = 0; moveB = 1; break;
    case 1: moveA = 1; moveB = 0; break;
    case 2: moveA = 1; moveB = 1; break;
    case 3: moveA = 1; moveB = 2; break;
    default: break;
  }
}

void cStageObj::SetScale(int newFactor, int oldFactor, int keepFlag) {
  if (newFactor == oldFactor) return;
  hitWidth = baseHitWidth * newFactor;
  hitHeight = baseHitHeight * newFactor;
  graphicOffsetX = baseGraphicOffsetX * newFactor;
  graphicOffsetY = baseGraphicOffsetY * newFactor;
  drawWidth = baseDrawWidth * newFactor;
  drawHeight = baseDrawHeight * newFactor;
  ShiftForScale(newFactor, oldFactor, keepFlag);
  ScaleChanged(newFactor);
}

void cStageObj::ShiftForScale(int newFactor, int oldFactor, int keepFlag) {
  if (newFactor == oldFactor) return;
  ShiftXForScale(newFactor, oldFactor);
  ShiftYForScale(newFactor, oldFactor, keepFlag);
}

void cStageObj::ShiftXForScale(int newFactor, int oldFactor) {
  x -= (baseHitWidth >> 1) * (newFactor - oldFactor);
  ClampToStageX(kClampStage);
}

int cStageObj::MoveStepX(int mode) {
  const double limit = g_StageSpace.speedLimit;
  if (vx > limit) vx = limit;
  else if (vx < -limit) vx = -limit;
  x += vx;
  return ClampToStageX(mode);
}

int cStageObj::ClampToStageX(int mode) {
  const AxisRange& r = g_StageSpace.x;
  const int w = hitWidth;
  int code = 0;
  const double end = x + w - 1;
  if (mode == kClampInner) {
    if (x < r.innerMin) x = r.innerMin;
    else if (end >= r.innerMax) x = r.innerMax - w;
  } else if (mode == kClampOuter) {
    if (x < r.outerMin) x = r.outerMin;
    else if (end >= r.outerMax) x = r.outerMax - w;
    else if (x < r.innerMin || end >= r.innerMax) code = 1;
  } else {
    if (x < 0) { x = 0; code = 3; }
    else if (end >= r.size) { x = r.size - w; code = 3; }
    else if (x < r.outerMin || end >= r.outerMax) code = 2;
    else if (x < r.innerMin || end >= r.innerMax) code = 1;
  }
  right = w + x - 1;
  UpdateBoxX();
  leftColumn = TruncToInt(x) >> 5;
  rightColumn = TruncToInt(right) >> 5;
  return code;
}

int cStageObj::IsInStageArea(int wholeStage) const {
  const StageSpace& s = g_StageSpace;
  if (wholeStage) return x >= 0 && right < s.x.size && y >= 0 && bottom < s.y.size ? 1 : 0;
  return x >= s.x.outerMin && right < s.x.outerMax && y >= s.y.outerMin && bottom < s.y.outerMax ? 1 : 0;
}

void cStageObj::HitBlockAbove() {
  pressedTop = 1;
  vy = 0;
  y = y - (TruncToInt(y) & 31) + 32;
  ClampY();
  RunTriggeredFlowsOfKind(9);
  RunTriggeredFlowsOfKind(13);
  RunTriggeredFlowsOfKind(14);
}

void cStageObj::LandOnBlock() {
  vy = 0;
  pressedBottom = 1;
  airFrames = 0;
  falling = 0;
  y = y - ((TruncToInt(bottom) & 31) + 1);
  ClampY();
  RunTriggeredFlowsOfKind(9);
  RunTriggeredFlowsOfKind(13);
  RunTriggeredFlowsOfKind(15);
}
