// The hero's placement and its boxes. The hit box (the one that meets
// blocks) comes from the stage's hero sizes by the movement mode; the body
// box from the definition's hit-area choice; the shot and item boxes from
// the stage's hero box C. All are centred in the 32-dot cell unless the
// stage stands a box on the cell's bottom, and all grow with the size
// factor.
#include <algorithm>

#include "definitions/stage/stage_record.h"
#include "foundation/log.h"
#include "input/input_record.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/hero.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"

namespace {

constexpr int kCell = 32;
constexpr int kBoxColours = 8;
constexpr int kFirstBoxColour = 208;

enum HitAreaChoice : int { kStageBodyBox = 0, kShotBoxSize = 1, kShotSizeValues = 2, kWholeCell = 3 };

struct BoxSize {
  int width = kCell;
  int height = kCell;
};

// The stage's hit size of the walking or floating hero; the whole cell
// where the stage gives none.
BoxSize HeroHitSize(bool floating) {
  const std::int32_t* size = g_PlayStage.HeroSize1;
  const int w = size[floating ? 2 : 0];
  const int h = size[floating ? 3 : 1];
  return {w > 0 ? w : kCell, h > 0 ? h : kCell};
}

// A box of `size` centred on the cell, or standing on its bottom, as
// offsets from the hit box's top-left.
void PlaceInCell(CharaBox& box, BoxSize size, bool onBottom, int hitOffsetX, int hitOffsetY) {
  const int offsetY = onBottom ? kCell - size.height - hitOffsetY : kCell / 2 - size.height / 2 - hitOffsetY;
  box.SetBase(kCell / 2 - size.width / 2 - hitOffsetX, offsetY, size.width, size.height);
}

BoxSize BodyBoxSize(int choice, bool floating, bool& onBottom) {
  const cEdStageSettings& stage = g_PlayStage;
  onBottom = false;
  switch (choice) {
    case kShotBoxSize: return {stage.HeroBoxC[0], stage.HeroBoxC[1]};
    case kShotSizeValues: return {stage.ShotSize[0], stage.ShotSize[1]};
    case kWholeCell: return {kCell, kCell};
    default: break;
  }
  onBottom = stage.HeroBoxSwitch[floating ? 1 : 0] != 0;
  const std::int32_t* box = floating ? stage.HeroBoxB : stage.HeroBoxA;
  return {box[0], box[1]};
}

// Where a box's display settings stand in the stage's two display sets:
// hit box, body box, shot box, item box.
int DisplaySettingIndex(int kind) {
  switch (kind) {
    case HeroBoxDisplay::kBodyBox: return 1;
    case HeroBoxDisplay::kShotBox: return 2;
    case HeroBoxDisplay::kItemBox: return 3;
    default: return 0;
  }
}

}  // namespace

void cHero::Place(int heroIndex, const cEdChara& definition, int column, int row) {
  ResetChara(&definition, 0);
  sizeFactor = std::max<int>(definition.m_nSize, 1);
  const bool floating = definition.m_nFlight != 0;
  const BoxSize hit = HeroHitSize(floating);
  Init(kFirstHeroNumber - heroIndex, kOperatorPlayer, 0, 0, 0, nullptr, 0, (kCell - hit.width) >> 1,
       (kCell - hit.height) >> 1, hit.width, hit.height, kCell, kCell, definition.m_nFacing, definition.m_nFlight, 0);
  side = definition.m_nFaction;
  scrollSync = definition.m_bScrollSync;
  std::size_t player = definition.m_nPlayerNo;
  if (player >= g_Inputs.size()) {
    Report("err V[%d] ( %d , %d )", static_cast<int>(player), static_cast<int>(g_Inputs.size()),
           static_cast<int>(sizeof(cInput)));
    player = 0;
  }
  input = g_Inputs.empty() ? nullptr : &g_Inputs[static_cast<long long>(player)];
  ApplySettings(definition.m_nFlight, 0, 0, 0);
  SetScale(sizeFactor, 1, 1);
  speedScale = 4.0 / g_StageSpace.levelF;
  existTimeCopy = existTime;
  restartSaved = 0;
  restorePending = 0;
  jumpHoldCount = 0;
  mayJump = 1;
  jumpForbidden = 0;
  jumpDoneThisStep = 0;
  inputLatches[0] = inputLatches[1] = 0;
  blockEffectKind = blockEffectTimer = 0;
  blockEffectFactor = 1.0;
  itemBlockCooldown = 0;
  itemBlockCell = -1;
  frameCounter = 0;
  touchedItems.clear();
  queuedFlowChanges.clear();
  if (g_FlowRuntime.installFlows != nullptr) g_FlowRuntime.installFlows(*this);
  SetupHeroGraphics();
  SetBlockPos(column, row, 1);
}

void cHero::ApplySettings(int mode, int scale, int save, int restore) {
  const bool floatedBefore = Floats();
  const int modeBefore = moveA * 2 + moveB;
  SetMoveMode(mode);
  const bool floating = Floats();
  if (save) {
    restartSaved = 1;
    restartX = x;
    restartY = y;
    restartRight = right;
    restartBottom = bottom;
  }
  if (moveA * 2 + moveB != modeBefore) {
    squeezeGrace = 2;
    if (restore) restorePending = 1;
  }
  if (floatedBefore && !floating) vx = vy = cmdSpeedX = cmdSpeedY = 0;
  if (floating && !g_StageRules.floatingWithoutFall) {
    falling = 1;
    airFrames = g_PlayStage.Level8;
  }

  const BoxSize hit = HeroHitSize(floating);
  const bool hitOnBottom = g_PlayStage.HeroSizeSwitch[floating ? 1 : 0] != 0;
  const int hitOffsetX = (kCell - hit.width) >> 1;
  const int hitOffsetY = hitOnBottom ? kCell - hit.height : (kCell - hit.height) >> 1;
  baseHitWidth = hitWidth = hit.width;
  baseHitHeight = hitHeight = hit.height;
  baseGraphicOffsetX = graphicOffsetX = hitOffsetX;
  baseGraphicOffsetY = graphicOffsetY = hitOffsetY;
  baseDrawWidth = drawWidth = kCell;
  baseDrawHeight = drawHeight = kCell;

  bool bodyOnBottom = false;
  const BoxSize body = BodyBoxSize(def.m_nHitArea, floating, bodyOnBottom);
  PlaceInCell(bodyBox, body, bodyOnBottom, hitOffsetX, hitOffsetY);
  const std::int32_t* boxC = g_PlayStage.HeroBoxC;
  PlaceInCell(shotBox, {boxC[0], boxC[1]}, false, hitOffsetX, hitOffsetY);
  PlaceInCell(itemBox, {boxC[2], boxC[3]}, false, hitOffsetX, hitOffsetY);

  if (scale) {
    hitWidth *= sizeFactor;
    hitHeight *= sizeFactor;
    graphicOffsetX *= sizeFactor;
    graphicOffsetY *= sizeFactor;
    drawWidth *= sizeFactor;
    drawHeight *= sizeFactor;
    for (CharaBox* box : {&bodyBox, &shotBox, &itemBox}) box->Scale(sizeFactor);
  }
  right = x + hitWidth - 1;
  bottom = y + hitHeight - 1;
  UpdateBoxX();
  UpdateBoxY();
  SetupHeroGraphics();
}

void cHero::BoxOfKind(int kind, int& boxX, int& boxY, int& width, int& height) const {
  boxX = graphicOffsetX;
  boxY = graphicOffsetY;
  width = hitWidth;
  height = hitHeight;
  const CharaBox* box = nullptr;
  switch (kind) {
    case HeroBoxDisplay::kBodyBox: box = &bodyBox; break;
    case HeroBoxDisplay::kItemBox: box = &itemBox; break;
    case HeroBoxDisplay::kShotBox: box = &shotBox; break;
    default: return;
  }
  boxX += box->offsetX;
  boxY += box->offsetY;
  width = box->width;
  height = box->height;
}

void cHero::SetupHeroGraphics() {
  boxDisplay.clear();
  for (int kind : {HeroBoxDisplay::kHitBox, HeroBoxDisplay::kBodyBox, HeroBoxDisplay::kItemBox,
                   HeroBoxDisplay::kShotBox}) {
    const int setting = DisplaySettingIndex(kind);
    HeroBoxDisplay entry;
    entry.kind = kind;
    entry.style = g_PlayStage.HeroGraphic1[setting];
    const int colour = g_PlayStage.HeroGraphic2[setting];
    if (colour < 0 || colour >= kBoxColours) {
      if (entry.style != HeroBoxDisplay::kHidden) Report("err V[%d] ( %d , %d )", colour, kBoxColours, 4);
      entry.style = HeroBoxDisplay::kHidden;
    } else {
      entry.colour = kFirstBoxColour + 4 * colour;
    }
    boxDisplay.push_back(entry);
  }
  const auto area = [this](const HeroBoxDisplay& entry) {
    int boxX = 0, boxY = 0, width = 0, height = 0;
    BoxOfKind(entry.kind, boxX, boxY, width, height);
    return static_cast<long long>(width) * height;
  };
  std::stable_sort(boxDisplay.begin(), boxDisplay.end(),
                   [&](const HeroBoxDisplay& a, const HeroBoxDisplay& b) { return area(a) > area(b); });
}

void cHero::ScaleChanged(int factor) {
  for (CharaBox* box : {&bodyBox, &shotBox, &itemBox}) box->Scale(factor);
  ClampX();
  ClampY();
}

void cHero::UpdateBoxX() {
  for (CharaBox* box : {&bodyBox, &shotBox, &itemBox}) box->FollowX(x);
}

void cHero::UpdateBoxY() {
  for (CharaBox* box : {&bodyBox, &shotBox, &itemBox}) box->FollowY(y);
}
