// Fuzzed stage bytes through the stage loader's parse, the stage set-up and
// 60 frames of play with input taken from the bytes too. Bytes that do not
// load as a stage file are first read as a recipe for one (its size, speed,
// blocks and characters with fuzzed settings), which is written as a stage
// file and loaded back, so that the set-up and the frame step meet every
// kind of stage. Whatever the stage holds, set-up and play stay in bounds.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/record_stream.h"
#include "fuzz/record_fuzzing.h"
#include "stage/harness/stage_harness.h"

namespace {

class Recipe {
 public:
  Recipe(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  std::uint8_t Next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  bool More() const { return m_pos < m_size; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

std::vector<unsigned char> StageFileFromRecipe(Recipe& recipe) {
  cEdStage stage;
  stage.Width = recipe.Next() % 80;
  stage.Height = recipe.Next() % 40;
  stage.SpeedLevel = recipe.Next() % 21;
  stage.StepMaskCount = static_cast<std::int8_t>(recipe.Next());
  stage.AutoScrollX = recipe.Next() & 1;
  stage.AutoScrollSpeedX = static_cast<std::int8_t>(recipe.Next());
  stage.AutoScrollY = recipe.Next() & 1;
  stage.AutoScrollSpeedY = static_cast<std::int8_t>(recipe.Next());
  stage.RemovalAreas[0].Set(recipe.Next() & 1, 0, 0, 0, recipe.Next() % 4, 0, 0, 0);
  cEdChara hero;
  hero.m_nOperator = kOperatorPlayer;
  hero.m_nGraphicNo = 1;
  hero.m_nColumn = static_cast<std::int8_t>(recipe.Next());
  hero.m_nRow = static_cast<std::int8_t>(recipe.Next());
  hero.m_nFlight = recipe.Next() % 5;
  hero.m_nSize = recipe.Next() % 4;
  stage.m_vChara.push_back(hero);
  while (recipe.More()) {
    const std::uint8_t kind = recipe.Next();
    if (kind & 1) {
      cEdBlock block;
      block.m_nColumn = static_cast<std::int8_t>(recipe.Next());
      block.m_nRow = static_cast<std::int8_t>(recipe.Next());
      block.m_nCollision = recipe.Next() % 4;
      block.m_nPassSide = recipe.Next() % 10;
      stage.m_vBlock.push_back(block);
    } else {
      cEdChara chara;
      chara.m_nGraphicNo = 1;
      chara.m_nColumn = static_cast<std::int8_t>(recipe.Next());
      chara.m_nRow = static_cast<std::int8_t>(recipe.Next());
      chara.m_nFaction = recipe.Next() % 12;
      chara.m_nCopyCount = recipe.Next();
      chara.m_nFlight = recipe.Next() % 5;
      chara.m_bBlockChara = recipe.Next() & 1;
      chara.m_nMaxHp = static_cast<std::int8_t>(recipe.Next());
      chara.m_nGroupNo = recipe.Next();
      chara.m_bGroup = 1;
      stage.m_vChara.push_back(chara);
    }
  }
  DataWriter out("fuzz");
  out.Write<std::uint32_t>(g_DataVersion);
  stage.Save(out);
  return out.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  if (size < 2) return 0;
  cStageHarness harness;
  if (!harness.UseStageBytes(std::vector<unsigned char>(data + 2, data + size))) {
    Recipe recipe(data + 2, size - 2);
    if (!harness.UseStageBytes(StageFileFromRecipe(recipe))) return 0;
  }
  harness.Begin(data[0]);
  for (int frame = 0; frame < 60; ++frame)
    harness.Step(static_cast<std::uint16_t>((data[1] >> (frame % 4)) & 15), static_cast<std::uint16_t>(frame & data[1]));
  return 0;
}
