// The block under the hero acts on it once per sub-step. A spring throws it
// up; a "ジャンプ禁止" block keeps it from jumping until it stands on a
// block of another kind; a friction block scales its horizontal speed and
// conveyors push it, each for one frame of sub-steps from the last contact;
// a block that carries an item gives it, then waits a second (or until the
// hero falls or steps onto another block) before it gives it again.
#include "definitions/palette/block_definition.h"
#include "definitions/palette/palette_source.h"
#include "definitions/stage/stage_record.h"
#include "stage/blocks/block_collision.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/hero.h"
#include "stage/core/stage_sinks.h"
#include "stage/items/stage_item.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_hooks.h"

namespace {

enum BlockEffect : int { kSpring = 1, kNoJump = 2, kFriction = 3, kConveyorLeft = 4, kConveyorRight = 5 };
constexpr int kSpringSound = 10;

// The block the hero stands on when it is solid for the hero; null else.
const cEdBlock* SolidBlockUnder(const cHero& hero) {
  if (hero.standingCell < 0) return nullptr;
  const BlockCell& cell = g_BlockMap.Cell(static_cast<std::size_t>(hero.standingCell));
  if (cell.block == nullptr || !IsBlockSolidFor(cell, hero.side)) return nullptr;
  return cell.block;
}

bool CarriesItem(const cEdBlock& block) {
  return block.m_nItemPalKind != kPaletteNone && !IsStalePaletteRef<cEdItem>(block.m_nItemPalKind, block.m_nItemIndex);
}

void StartBlockEffect(cHero& hero, const cEdBlock& block) {
  const double level = g_StageSpace.levelF;
  switch (block.m_nEffect) {
    case kSpring: {
      RequestStageSound(kSpringSound);
      hero.vy = JumpSpeedForHbl(static_cast<int>(block.m_nEffectValue));
      hero.jumping = hero.airborne = 1;
      hero.mayJump = 0;
      hero.jumpHoldCount = StepsToApex(hero.vy);
      break;
    }
    case kFriction:
      hero.blockEffectKind = kFriction;
      hero.blockEffectFactor = block.m_nEffectValue * 0.01;
      hero.blockEffectTimer = g_StageSpace.level;
      break;
    case kConveyorLeft:
    case kConveyorRight:
      hero.blockEffectKind = block.m_nEffect;
      hero.blockEffectFactor = block.m_nEffectValue * 0.1 / level;
      hero.blockEffectTimer = g_StageSpace.level;
      break;
    default: break;
  }
  hero.jumpForbidden = block.m_nEffect == kNoJump ? 1 : 0;
}

void RunBlockEffect(cHero& hero) {
  switch (hero.blockEffectKind) {
    case kFriction: hero.vx *= hero.blockEffectFactor; break;
    case kConveyorLeft:
      hero.vx -= hero.blockEffectFactor;
      if (hero.cmdSpeedX > 0) hero.cmdSpeedX = 0;
      break;
    case kConveyorRight:
      hero.vx += hero.blockEffectFactor;
      if (hero.cmdSpeedX < 0) hero.cmdSpeedX = 0;
      break;
    default: break;
  }
  if (--hero.blockEffectTimer == 0) SnapToGround(hero);
}

// The stage cell of a block-map cell index, as an item's cell.
void PutOnCell(cStageItem& item, std::int64_t cellIndex) {
  const int shift = g_BlockMap.RowShift();
  item.x = static_cast<double>(cellIndex & ((std::int64_t{1} << shift) - 1)) * 32;
  item.y = static_cast<double>(cellIndex >> shift) * 32;
  item.right = item.x + item.hitWidth - 1;
  item.bottom = item.y + item.hitHeight - 1;
}

}  // namespace

int RunHeroBlockEffect(cStageScene& scene, cChara& chara) {
  if (!chara.IsHero() || chara.PassesBlocks()) return 0;
  cHero& hero = static_cast<cHero&>(chara);
  if (hero.blockEffectTimer == 0) {
    if (const cEdBlock* block = SolidBlockUnder(hero)) {
      StartBlockEffect(hero, *block);
      if (block->m_nEffect == kSpring && CarriesItem(*block)) return RunHeroItemBlock(scene, hero);
    }
  }
  if (hero.blockEffectTimer != 0) RunBlockEffect(hero);
  return 0;
}

int RunHeroItemBlock(cStageScene&, cChara& chara) {
  if (!chara.IsHero() || chara.PassesBlocks()) return 0;
  cHero& hero = static_cast<cHero&>(chara);
  bool gave = false;
  const cEdBlock* block = hero.itemBlockCooldown == 0 ? SolidBlockUnder(hero) : nullptr;
  if (block != nullptr && CarriesItem(*block)) {
    cStageItem item;
    item.SetFromDef(GetPaletteItem(block->m_nItemPalKind, block->m_nItemIndex), 0, 0);
    PutOnCell(item, hero.standingCell);
    const int result = TakeItem(hero, item);
    if (result != 0) return result;
    hero.itemBlockCooldown = g_StageSpace.level * 60;
    gave = true;
  }
  if (hero.itemBlockCooldown != 0) {
    if (hero.falling) {
      hero.itemBlockCooldown = 0;
    } else {
      if (hero.itemBlockCooldown > 0) --hero.itemBlockCooldown;
      if (hero.standingCell >= 0 && hero.standingCell != hero.itemBlockCell && !gave) {
        hero.itemBlockCooldown = 0;
        SnapToGround(hero);
      }
    }
  }
  hero.itemBlockCell = hero.standingCell;
  return 0;
}
