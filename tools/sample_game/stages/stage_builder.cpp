#include "tools/sample_game/stages/stage_builder.h"

#include "tools/sample_game/record_bytes.h"
#include "tools/sample_game/stages/common_palette_builder.h"

namespace sample_game {
namespace {

struct Placement {
  char symbol;
  enum { kBlock, kItem, kChara } list;
  int index;
};

constexpr Placement kPlacements[] = {
    {'#', Placement::kBlock, kBlockGround},   {'d', Placement::kBlock, kBlockDirt},
    {'B', Placement::kBlock, kBlockBrick},    {'X', Placement::kBlock, kBlockStone},
    {'-', Placement::kBlock, kBlockOneWay},   {'S', Placement::kBlock, kBlockSpring},
    {'^', Placement::kBlock, kBlockSpikes},   {'<', Placement::kBlock, kBlockBeltLeft},
    {'>', Placement::kBlock, kBlockBeltRight}, {'I', Placement::kBlock, kBlockIce},
    {'c', Placement::kItem, kItemCoin},       {'h', Placement::kItem, kItemHeart},
    {'k', Placement::kItem, kItemKey},        {'g', Placement::kItem, kItemGem},
    {'H', Placement::kChara, kCharaHero},     {'w', Placement::kChara, kCharaWalker},
    {'f', Placement::kChara, kCharaFlyer},    {'s', Placement::kChara, kCharaShooter},
    {'M', Placement::kChara, kCharaBoss},     {'G', Placement::kChara, kCharaGuide},
    {'P', Placement::kChara, kCharaPrankster}, {'O', Placement::kChara, kCharaSteppingStone},
    {'t', Placement::kItem, kItemChest},
};

cEdBackground PictureLayer(const char* image, double rate) {
  cEdBackground layer;
  layer.Image = image;
  layer.RateX = rate;
  layer.RateY = 0.0;
  return layer;
}

}  // namespace

cEdStage BuildStage(const StageLayout& layout, const cEdPalette& common) {
  cEdStage stage;
  const int height = static_cast<int>(layout.rows.size());
  const int width = static_cast<int>(layout.rows.front().size());
  stage.StageText = Sjis(layout.title);
  stage.Width = width;
  stage.Height = height;
  stage.LimitLeft = stage.LimitRight = stage.LimitTop = stage.LimitBottom = 1;
  stage.RightColumn = width - 1;
  stage.BottomRow = height - 1;
  stage.BgmNumber = layout.bgm;
  stage.BgmParam = 1;  // the music loops for as long as the stage is played
  stage.TimeLimitOn = layout.timeLimit > 0 ? 1 : 0;
  if (layout.timeLimit > 0) stage.TimeLimit = layout.timeLimit;
  if (layout.removalDistance > 0) {
    const auto d = static_cast<std::uint32_t>(layout.removalDistance);
    stage.RemovalAreas[0].Set(1, 1, 1, 1, d, d, d, d);
  }
  stage.m_vBackground = {PictureLayer("bmp\\back\\Sky.bmp", 0.2), PictureLayer("bmp\\back\\Hills.bmp", 0.5)};
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      const char symbol = layout.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
      for (const Placement& p : kPlacements) {
        if (p.symbol != symbol) continue;
        if (p.list == Placement::kBlock) stage.m_vBlock.push_back(PlacedBlock(common, p.index, column, row));
        if (p.list == Placement::kItem) stage.m_vItem.push_back(PlacedItem(common, p.index, column, row));
        if (p.list == Placement::kChara) stage.m_vChara.push_back(PlacedChara(common, p.index, column, row));
      }
    }
  return stage;
}

}  // namespace sample_game
