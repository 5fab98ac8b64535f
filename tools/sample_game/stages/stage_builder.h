#pragma once
// Stages of the sample game, drawn as rows of characters: every character is
// a block, item or character of the common palette placed in that cell.
//   '#' ground  'd' dirt  'B' brick  'X' stone  '-' one-way floor  'S' spring
//   '^' spikes  '<' '>' belts  'I' ice
//   'c' coin  'h' heart  'k' key (clears the stage)  'g' gem
//   't' treasure chest
//   'H' hero  'w' walker  'f' flyer  's' shooter  'M' boss  'G' guide
//   'P' prankster  'O' stepping stone
// Rows run top to bottom, 15 or more of equal width.

#include <string_view>
#include <vector>

#include "definitions/palette/palette.h"
#include "definitions/stage/stage_record.h"

namespace sample_game {

struct StageLayout {
  const char* title;  // the stage text (UTF-8)
  std::vector<std::string_view> rows;
  int bgm = 0;        // database music number
  int timeLimit = 0;  // seconds; 0 runs without a limit
  // Blocks beyond the screen past which objects are removed; 0: none.
  int removalDistance = 0;
};

cEdStage BuildStage(const StageLayout& layout, const cEdPalette& common);

// The story stages in play order (the castle last), then the two challenge
// stages; the adventure stages are the story's middle part.
const std::vector<StageLayout>& StoryStageLayouts();
const std::vector<StageLayout>& AdventureStageLayouts();
const std::vector<StageLayout>& ChallengeStageLayouts();

}  // namespace sample_game
