#include "stage/chara/hero.h"

#include <algorithm>

#include "stage/chara/chara_damage.h"
#include "stage/chara/stage_lists.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/stage_messages.h"

namespace {

constexpr int kFrictionEffect = 3;
constexpr int kItemMessageFrames = 30;

// The view centred on the hero's box, kept inside the scroll limits, unless
// the axis scrolls by itself.
void FollowWithScroll(ScrollAxis& axis, double position, int size) {
  if (axis.running) return;
  axis.position = position - (axis.window / 2 - size / 2);
  if (axis.position < axis.lower) axis.position = axis.lower;
  else if (axis.upper < axis.position + axis.window) axis.position = axis.upper - axis.window;
}

// A friction block scales the commanded speed by its factor per second,
// never past 0.
void ApplyFriction(double& speed, double change) {
  if (speed > 0) {
    speed += change;
    if (speed < 0) speed = 0;
  } else if (speed < 0) {
    speed -= change;
    if (speed > 0) speed = 0;
  }
}

}  // namespace

int cHero::ClampX() {
  FollowWithScroll(g_StageSpace.scrollX, x, hitWidth);
  return ClampToStageX(Floats() ? kClampInner : kClampOuter);
}

int cHero::ClampY() {
  FollowWithScroll(g_StageSpace.scrollY, y, hitHeight);
  return ClampToStageY(Floats() ? kClampInner : kClampOuter);
}

int cHero::StepX() {
  if (knockX != 0) {
    vx = knockX;
  } else if (cmdSpeedX != 0) {
    DecayTowardZero(*this, cmdSpeedX, friction1);
    if (blockEffectKind == kFrictionEffect && blockEffectTimer > 0)
      ApplyFriction(cmdSpeedX, PerSecToStep(speedScale) * (blockEffectFactor - 1));
    vx += cmdSpeedX;
  }
  const double limit = g_StageSpace.speedLimit;
  if (vx >= limit) vx = limit;
  else if (vx < -limit) vx = -limit;
  x += vx;
  ClampX();
  return 0;
}

int cHero::StepY() {
  ApplyImpactToVy(*this);
  if (knockY == 0 && Floats()) {
    DecayTowardZero(*this, cmdSpeedY, friction2);
    vy += cmdSpeedY;
  }
  const bool floating = Floats();
  const int code = MoveStepY(floating ? kClampInner : kClampStage);
  ClampY();
  if (!floating && (code == 5 || code == 6)) return 7;
  return code;
}

int cHero::SurviveSqueeze() {
  if (squeezeGrace < 1) return 0;
  if (restorePending && restartSaved) {
    restorePending = 0;
    x = restartX;
    y = restartY;
    right = restartRight;
    bottom = restartBottom;
  }
  return 1;
}

int cHero::IsNotTouching(std::int32_t itemId) const {
  return std::find(touchedItems.begin(), touchedItems.end(), itemId) == touchedItems.end() ? 1 : 0;
}

void cHero::ForgetTouch(std::int32_t itemId) { touchedItems.remove(itemId); }

void cHero::ShowItemMessage(int kind, int number, int cell) {
  cStageScene* scene = StageScene();
  if (scene == nullptr) return;
  MessageSetup setup;
  setup.kind = kMessageCell;
  setup.values = {kind, number, cell};
  setup.place = kPlaceAboveHero;
  setup.keepInside = 1;
  setup.duration = kShowTimed;
  setup.frames = kItemMessageFrames;
  AppendStageMessage(*scene, setup);
}

void MarkPlayerHeroFalling() {
  if (cHero* hero = PlayerHero()) hero->falling = 1;
}

void ClearPlayerJumpForbidden() {
  if (cHero* hero = PlayerHero()) hero->jumpForbidden = 0;
}
