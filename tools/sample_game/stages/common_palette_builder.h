#pragma once
// The common palette of the sample game ("data\CommonPalette.cplt4"): the
// blocks, characters and items that every stage places by reference.

#include "definitions/palette/palette.h"

namespace sample_game {

// Entry numbers in the common palette's lists (entry 0 is the empty entry).
enum CommonBlock : int {
  kBlockGround = 1,
  kBlockDirt,
  kBlockBrick,
  kBlockStone,
  kBlockOneWay,
  kBlockSpring,
  kBlockSpikes,
  kBlockBeltLeft,
  kBlockBeltRight,
  kBlockIce,
};
enum CommonChara : int {
  kCharaHero = 1,
  kCharaWalker,
  kCharaFlyer,
  kCharaShooter,
  kCharaBoss,
  kCharaGuide,
  kCharaPrankster,
  kCharaSteppingStone,
  kCharaHerald,
};
enum CommonItem : int { kItemCoin = 1, kItemHeart, kItemKey, kItemGem, kItemChest };

cEdPalette BuildCommonPalette();

// A placed copy of common-palette entry `index` at (column, row) that takes
// every property group from that entry.
cEdBlock PlacedBlock(const cEdPalette& palette, int index, int column, int row);
cEdChara PlacedChara(const cEdPalette& palette, int index, int column, int row);
cEdItem PlacedItem(const cEdPalette& palette, int index, int column, int row);

}  // namespace sample_game
