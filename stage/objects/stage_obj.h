#pragma once
// The base of every object that moves on the stage: characters, the hero,
// items, shots and swords. It holds the position as doubles (top-left of the
// hit box in stage dots, y downwards), the velocity, the hit box and the
// drawn cell with their base sizes and a size factor, the rectangle on the
// screen, the block cells the box covers, the movement mode, the contact
// state that block collisions raise, the existence timer and the animation
// player. Moving is one axis at a time: add the velocity, clamp against the
// stage's ranges, report where the object ended (the step codes).

#include <cstdint>

#include "stage/anim/anime_player.h"
#include "stage/core/double_to_int.h"
#include "stage/objects/stage_space.h"

struct cFlowState;

// Step codes of the x axis: 0 inside, 1 outside the inner range, 2 outside
// the outer range, 3 at a stage edge. y: 1 above / 4 below the inner range,
// 2 / 5 the outer range, 3 top / 6 bottom edge.
enum ClampMode : int { kClampInner = 0, kClampOuter = 1, kClampStage = 2 };

inline constexpr std::int32_t kUnlimitedTime = 2147483647;

// The scroll's part of an object's screen place. It is the same for every
// object of one pass, so a pass over many objects (the shots) works it out
// once.
struct ScreenOrigin {
  double x = 0, y = 0;                  // the view's position
  std::int32_t wholeX = 0, wholeY = 0;  // the same, truncated
  bool xScrolls = false, yScrolls = false;  // the axis moves by itself: a speed and not at a limit

  static ScreenOrigin Now() {
    const ScrollAxis& sx = g_StageSpace.scrollX;
    const ScrollAxis& sy = g_StageSpace.scrollY;
    return {sx.position, sy.position, TruncToInt(sx.position), TruncToInt(sy.position),
            sx.speed != 0 && !sx.atLimit, sy.speed != 0 && !sy.atLimit};
  }
};

template <typename Object>
int MoveObjectStepY(Object& obj, int mode);
template <typename Object>
int ClampObjectToStageY(Object& obj, int mode);

class cStageObj {
 public:
  cStageObj() = default;
  virtual ~cStageObj() = default;
  cStageObj(const cStageObj&) = default;
  cStageObj& operator=(const cStageObj&) = default;

  virtual void AssignBase(const cStageObj& other) { *this = other; }
  virtual void SetScale(int newFactor, int oldFactor, int keepFlag);
  virtual void ScaleChanged(int) {}
  virtual void ShiftYForScale(int, int, int) {}
  virtual void UpdateBoxX() {}
  virtual void UpdateBoxY() {}
  virtual void SetPos(double, double) {}
  virtual void SetPosAndStop(double, double, cFlowState*) {}
  virtual void SetCenterX(double) {}
  virtual void SetCenterXAndStop(double, cFlowState*) {}
  virtual void SetCenterY(double) {}
  virtual void SetCenterYAndStop(double, cFlowState*) {}
  // The x and y bounds after a push: clamped to the stage.
  virtual int ClampX() { return ClampToStageX(kClampStage); }
  virtual int ClampY() { return ClampToStageY(kClampStage); }
  // Contacts that the block collision reports: the head bump and the
  // landing move the box to the block boundary and stop the motion.
  virtual void HitBlockAbove();
  virtual void LandOnBlock();
  // Flows fired by a trigger kind (characters only).
  virtual void RunTriggeredFlowsOfKind(int) {}
  virtual bool IsHero() const { return false; }

  void Init(int number, int playerFlag, int value2, int value3, int value4, const cVector<Pattern>* patterns,
            int startPattern, int offsetX, int offsetY, int hitWidth, int hitHeight, int drawWidth, int drawHeight,
            int facing, int moveMode, int value16);
  void SetMoveMode(int mode);
  void ShiftForScale(int newFactor, int oldFactor, int keepFlag);
  void ShiftXForScale(int newFactor, int oldFactor);
  int MoveStepX(int mode);
  int MoveStepY(int mode) { return MoveObjectStepY(*this, mode); }
  int ClampToStageX(int mode);
  int ClampToStageY(int mode) { return ClampObjectToStageY(*this, mode); }
  // The screen rectangle from the position and the view. Inline: the passes
  // over all the shots place every shot.
  void UpdateScreenPos() { UpdateScreenPos(ScreenOrigin::Now()); }
  void UpdateScreenPos(const ScreenOrigin& view) {
    const int ox = graphicOffsetX;
    const int oy = graphicOffsetY;
    if (moveA == 0) screenLeft = TruncToInt((x - ox) - view.wholeX);
    else if (!view.xScrolls) screenLeft = TruncToInt(x) - view.wholeX - ox;
    else if (scrollSync) screenLeft = TruncToInt(x - view.x) - ox;
    else screenLeft = TruncToInt((x - ox) - view.wholeX);
    screenRight = screenLeft + drawWidth - 1;
    if (moveA == 0) screenTop = TruncToInt((y - oy) - view.wholeY);
    else if (view.yScrolls) screenTop = TruncToInt(y - view.y) - oy + 1;
    else screenTop = TruncToInt(y) - view.wholeY - oy;
    screenBottom = screenTop + drawHeight - 1;
  }
  // Inline: asked of every object every sub-step.
  int IsOnScreen() const { return IsOnScreenAxes(0, 0); }
  int IsOnScreenAxes(int skipX, int skipY) const {
    const double sx = g_StageSpace.scrollX.position;
    const double sy = g_StageSpace.scrollY.position;
    const bool inX = skipX || (right >= sx && x < sx + 640);
    const bool inY = skipY || (bottom >= sy && y < sy + 480);
    return inX && inY ? 1 : 0;
  }
  int IsInStageArea(int wholeStage) const;
  int Direction() const { return facing ? 1 : -1; }
  bool PassesBlocks() const { return moveB == 0; }
  bool DiesOnBlocks() const { return moveB == 2; }
  bool HitsBothSides() const { return moveA != 0 && moveB != 0; }

  // Layout: the passes that run every sub-step over every object (the
  // shots' above all, thousands of them) read the velocity and the fields of
  // the last block. The velocity comes first, in the cache line of the
  // virtual table pointer, which the steps read anyway; the last block sits
  // next to the first fields of the derived object (a shot's flight state).
  // So a pass reads few cache lines per object. The fields read now and then
  // lie between.
  double vx = 0, vy = 0;
  std::int32_t number = 0;
  std::int32_t existTime = kUnlimitedTime;
  std::int16_t value16 = 0;
  std::int32_t value32 = 0;
  cAnimePlayer anime;
  std::int32_t baseGraphicOffsetX = 0, baseGraphicOffsetY = 0;
  std::int32_t baseDrawWidth = 32, baseDrawHeight = 32;
  std::int32_t op = 1;  // operator: 0 the player, 1 the computer
  std::int32_t value3 = 0, value4 = 0;
  double knockX = 0, knockY = 0;  // knock-back speeds
  std::int32_t baseHitWidth = 0, baseHitHeight = 0;
  std::int32_t sizeFactor = 1;

  // Contact state raised by the block collision, cleared every sub-step.
  std::int32_t pressedLeft = 0, pressedRight = 0, pressedTop = 0, pressedBottom = 0;
  std::int32_t lastBlockSide = -1;  // 0 left, 1 right; -1 no block has hit yet
  std::int64_t standingCell = -1;  // cell index of the block under the feet; -1 none
  std::int64_t landedCell = -1;    // the cell last landed on
  std::int32_t airFrames = 0;
  std::int32_t falling = 0;
  std::int32_t carried = 0;

  // Read by the steps along x and y; the block starts a cache line.
  alignas(64) std::int32_t hitWidth = 0;
  std::int32_t hitHeight = 0;
  std::int32_t leftColumn = 0, topRow = 0, rightColumn = 0, bottomRow = 0;
  std::int32_t facing = 0;
  std::int32_t side = 0;  // faction 0..7
  // Read by the steps too, and by the screen place and activity of every
  // sub-step and every drawn frame (the last fields: they share the cache
  // line of a shot's removal flags).
  double x = 0, y = 0, right = 0, bottom = 0;
  std::int32_t screenLeft = 0, screenTop = 0, screenRight = 0, screenBottom = 0;
  std::int32_t graphicOffsetX = 0, graphicOffsetY = 0;
  std::int32_t drawWidth = 32, drawHeight = 32;
  std::int32_t moveA = 0, moveB = 1;
  std::int32_t scrollSync = 0;
  std::int32_t present = 0, onScreen = 0, awake = 0;
};

// MoveStepY and ClampToStageY for an object whose class is known where they
// are called. Every shot steps along y every sub-step: for its final class
// the box update at the end is called directly and inlined, not through the
// virtual table.
template <typename Object>
int MoveObjectStepY(Object& obj, int mode) {
  const double limit = g_StageSpace.speedLimit;
  if (obj.vy > limit) obj.vy = limit;
  else if (obj.vy < -limit) obj.vy = -limit;
  obj.y += obj.vy;
  return ClampObjectToStageY(obj, mode);
}

template <typename Object>
int ClampObjectToStageY(Object& obj, int mode) {
  const AxisRange& r = g_StageSpace.y;
  const int h = obj.hitHeight;
  int code = 0;
  double& y = obj.y;
  const double end = y + h - 1;
  if (mode == kClampInner) {
    if (y < r.innerMin) y = r.innerMin;
    else if (end >= r.innerMax) y = r.innerMax - h;
  } else if (mode == kClampOuter) {
    if (y < r.outerMin) y = r.outerMin;
    else if (end >= r.outerMax) y = r.outerMax - h;
    else if (y < r.innerMin) code = 1;
    else if (end >= r.innerMax) code = 4;
  } else {
    const int offsetDots = g_StageSpace.blockOffsetY * 32;
    if (y < 0) {
      if (h < offsetDots) { y = 0; code = 3; }
    } else if (end >= r.size) {
      if (h < offsetDots) { y = r.size - h; code = 6; }
    } else if (y < r.outerMin) code = 2;
    else if (end >= r.outerMax) code = 5;
    else if (y < r.innerMin) code = 1;
    else if (end >= r.innerMax) code = 4;
  }
  obj.bottom = h + y - 1;
  obj.UpdateBoxY();
  obj.topRow = TruncToInt(y) >> 5;
  obj.bottomRow = TruncToInt(obj.bottom) >> 5;
  return code;
}
