#include "stage/chara/chara.h"

#include "foundation/wrapping_math.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"

cChara::cChara() = default;

cChara::~cChara() {
  if (copySource == nullptr) ReleaseCharaLinks();
}

void cChara::ResetChara(const cEdChara* definition, int cloneIndex) {
  targets.fill(nullptr);
  parent = nullptr;
  backRefs.clear();
  summonedByAttack = 0;
  summonFlowId = 0;
  for (auto& set : flagSets) set.fill(0);
  cloneValue = cloneIndex;
  onGround = headBump = knockedBack = dead = vanish = removed = 0;
  jumping = airborne = jumpHold = gravityOff1 = gravityOff2 = 0;
  landingMark = hitFlag1 = hitFlag2 = squeezeGrace = 0;
  animeOverride = -1;
  cmdHidden = 0;
  friction1 = friction2 = 1;
  cmdSpeedX = cmdSpeedY = 0;
  knockYBefore = 0;
  pushLeft = pushRight = moveCancelled = animeLevel = 0;
  hpGauge = spGauge = shownHpGauge = shownSpGauge = Gauge{};
  vars.fill(0);
  invincibleTime = 0;
  attackerGuards.clear();
  extraAnimes.clear();
  if (definition != nullptr) {
    def = *definition;
    hp = def.m_nMaxHp;
    sp = def.m_nMaxSp;
  }
  side = def.m_nFaction;
  sightDots = def.m_nSight * 16;
  stopDecel = def.m_nStop * 0.01 / (g_StageSpace.levelF * g_StageSpace.levelF);
  SetBaseAnimeSet(def.m_nAnimeSet, 1);
  RebuildFlowStates();
  if (def.m_nBaseEffect != 0) SelectCharaEffect(effect, def.m_nBaseEffect, def.m_nBaseEffectMode, def.m_bBaseEffectLoop);
}

void cChara::ShiftYForScale(int newFactor, int oldFactor, int keepFlag) {
  if (newFactor == oldFactor) return;
  const int d = newFactor - oldFactor;
  const bool keepCell = g_StageRules.scaling1 ? !g_StageRules.scaling2 : keepFlag != 0;
  if (!keepCell && g_StageRules.scaling1) y -= baseHitHeight * d;
  else if (keepCell) y = y - baseDrawHeight * d + baseGraphicOffsetY * d;
  else y = y + baseHitHeight * oldFactor - baseHitHeight * newFactor;
  ClampY();
}

// The drawn cell's centre is measured on the screen, from the screen
// positions as last refreshed: the aimed moves that place a character on
// their point aim in screen dots.
void cChara::SetCenterX(double target) {
  const double c = screenLeft + (drawWidth >> 1);
  if (c >= target) x -= c - target;
  else x += target - c;
  ClampX();
}

void cChara::SetCenterY(double target) {
  const double c = screenTop + (drawHeight >> 1);
  if (c >= target) y -= c - target;
  else y += target - c;
  ClampY();
}

void cChara::SetPos(double px, double py) {
  SetCenterX(px);
  SetCenterY(py);
}

void cChara::SetPosAndStop(double px, double py, cFlowState* cmd) {
  SetPos(px, py);
  if (cmd != nullptr) cmd->motion[0] = cmd->motion[1] = 0;
}

void cChara::SetCenterXAndStop(double px, cFlowState* cmd) {
  SetCenterX(px);
  if (cmd != nullptr) cmd->motion[0] = cmd->motion[1] = 0;
}

void cChara::SetCenterYAndStop(double py, cFlowState* cmd) {
  SetCenterY(py);
  if (cmd != nullptr) cmd->motion[0] = cmd->motion[1] = 0;
}

void cChara::SetBlockPosX(int column) {
  x = (g_StageSpace.blockOffsetX + column) * 32 + baseGraphicOffsetX + 0.5;
  ShiftXForScale(sizeFactor, 1);
  ClampX();
}

void cChara::SetBlockPosY(int row, int keepFlag) {
  y = (g_StageSpace.blockOffsetY + row) * 32 + baseGraphicOffsetY;
  ShiftYForScale(sizeFactor, 1, keepFlag);
  ClampY();
}

void cChara::SetBlockPos(int column, int row, int keepFlag) {
  SetBlockPosX(column);
  SetBlockPosY(row, keepFlag);
  placedX = (g_StageSpace.blockOffsetX + column) * 32 + 16;
  placedY = (g_StageSpace.blockOffsetY + row) * 32 + 16;
}

void cChara::SetGraphicBox(int tall, int width, int height) {
  const int offsetY = tall ? 32 - graphicOffsetY - height : 16 - graphicOffsetY - height / 2;
  bodyBox.SetBase(16 - graphicOffsetX - width / 2, offsetY, width, height);
}

void CharaBox::SetBase(int ox, int oy, int w, int h) {
  offsetX = baseOffsetX = ox;
  offsetY = baseOffsetY = oy;
  width = baseWidth = w;
  height = baseHeight = h;
}

void CharaBox::Scale(int factor) {
  offsetX = baseOffsetX * factor;
  offsetY = baseOffsetY * factor;
  width = baseWidth * factor;
  height = baseHeight * factor;
}

void CharaBox::FollowX(double x) {
  left = WrapAdd(TruncToInt(x), offsetX);
  right = WrapAdd(left, width - 1);
}

void CharaBox::FollowY(double y) {
  top = WrapAdd(TruncToInt(y), offsetY);
  bottom = WrapAdd(top, height - 1);
}

void cChara::StepInvincibleTimers() {
  if (--invincibleTime < 0) invincibleTime = 0;
  for (auto guard = attackerGuards.begin(); guard != attackerGuards.end();) {
    if (--guard->left <= 0) guard = attackerGuards.erase(guard);
    else ++guard;
  }
}

void cChara::ClearPressedFlags() { pressedLeft = pressedRight = pressedTop = pressedBottom = 0; }

void cChara::SavePos() {
  savedX = x;
  savedY = y;
  savedRight = right;
  savedBottom = bottom;
}

void cChara::RestorePos() {
  x = savedX;
  y = savedY;
  right = savedRight;
  bottom = savedBottom;
}

void cChara::ApplyGravity() {
  if (Floats() || gravityOff1 || gravityOff2 || knockY < 0) return;
  vy += g_StageSpace.gravityStep;
}

void cChara::StopFall(int mark) {
  gravityOff1 = 0;
  if (knockY == 0) vy = 0;
  if (mark) landingMark = 1;
}

// A head bump counts as a jump until the next landing: no jump starts
// from it.
void cChara::HitBlockAbove() {
  headBump = jumping = airborne = jumpHold = 1;
  cmdSpeedY = 0;
  if (!g_StageRules.keepKnockOnHeadBump) knockY = 0;
  cStageObj::HitBlockAbove();
}

void cChara::LandOnBlock() {
  cmdSpeedY = 0;
  onGround = 1;
  jumping = airborne = knockedBack = 0;
  if (op == 1) jumpHold = 0;
  cStageObj::LandOnBlock();
}
