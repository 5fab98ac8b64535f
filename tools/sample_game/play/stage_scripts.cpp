#include "tools/sample_game/play/stage_scripts.h"

#include <array>

#include "tools/sample_game/project_files.h"

namespace sample_game {
namespace {

constexpr std::array<std::string_view, kStoryStageCount> kStoryScripts = {
    // はじまりの草原: straight through to the key.
    "700 R\n"
    "60 -\n",
    // モスリングの森: over the pits, the pillar, the spring and the belt.
    "56 R\n21 R J\n185 R\n21 R J\n43 R\n21 R J\n96 R\n21 R J\n35 R\n21 R J\n"
    "47 R\n21 R J\n75 R\n21 R J\n98 R\n21 R J\n24 R\n"
    "60 -\n",
    // こだまの洞窟: over the step and the wall.
    "206 R\n21 R J\n192 R\n21 R J\n130 R\n"
    "60 -\n",
    // 案内人の庭: past the guide, under the prankster's cage, through the chest.
    "570 R\n"
    "60 -\n",
    // 雲の橋: over both breaks of the bridge.
    "195 R\n21 R J\n182 R\n21 R J\n151 R\n"
    "60 -\n",
    // ボスの城: into the hall, then shots at the boss as it comes, turning to follow it.
    "200 R\n"
    "500 S\n100 S W\n"
    "4 L\n300 S\n60 L\n300 S\n20 S J\n300 S\n"
    "60 -\n",
};

constexpr std::array<std::string_view, kChallengeStageCount> kChallengeScripts = {
    // c01-1: through the coin rush, over the spikes.
    "88 R\n21 R J\n51 R\n21 R J\n38 R\n21 R J\n30 R\n21 R J\n67 R\n"
    "60 -\n",
    // c02-1: onto the ice island in the middle of the spike pit, and off it
    // before its far edge.
    "78 R\n21 R J\n25 R\n21 R J\n215 R\n"
    "60 -\n",
};

}  // namespace

std::string_view StoryStageScript(int index) {
  return index >= 0 && index < kStoryStageCount ? kStoryScripts[static_cast<std::size_t>(index)] : std::string_view();
}

std::string_view ChallengeStageScript(int index) {
  return index >= 0 && index < kChallengeStageCount ? kChallengeScripts[static_cast<std::size_t>(index)]
                                                    : std::string_view();
}

}  // namespace sample_game
