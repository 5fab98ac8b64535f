#pragma once
// The input scripts that play the sample game's stages through (the text
// form of play/input_script.h): one per story stage in play order, and one
// for each challenge stage. Each was found by walking the stage with a
// steady hold of right and a jump in front of every pit and wall; the
// castle's script meets the boss in the middle of the hall and shoots it
// down, turning as it passes.

#include <string_view>

namespace sample_game {

// The script of story stage `index` (0 .. kStoryStageCount - 1).
std::string_view StoryStageScript(int index);
// The script of challenge stage `index` (0 .. kChallengeStageCount - 1).
std::string_view ChallengeStageScript(int index);

}  // namespace sample_game
