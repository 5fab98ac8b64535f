// The first two story stages, the castle at the end of the story and the
// two challenge stages of the sample game.
#include "tools/sample_game/project_files.h"
#include "tools/sample_game/stages/stage_builder.h"

namespace sample_game {

namespace {

// The meadow, the forest and the castle; the adventure stages go between
// the forest and the castle.
const std::vector<StageLayout>& FrameStageLayouts() {
  static const std::vector<StageLayout> stages = {
      {"はじまりの草原",
       {
           // Flat all the way: holding right walks the hero to the key.
           "............................................................",
           "............................................................",
           "............................................................",
           "............................................................",
           "............................................................",
           "..............................ccc...........................",
           "...........................................c.c.c............",
           "....................ccc.....BBBBB...........................",
           "...........................................-----............",
           "..........c.c......-----....................................",
           "............................................................",
           "..H.....c.c.c..........c.c.c..........c.c.c.........c.c..k..",
           "############################################################",
           "dddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd",
           "dddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd",
       },
       kBgmStage, 0},
      {"モスリングの森",
       {
           "................................................................................",
           "................................................................................",
           "...................f........................f...................................",
           "..........................ccccc.........................................ccc.....",
           ".........f...............BBBBBBB.......................f........................",
           "...................................................c.c.c..........--------......",
           "..............ccc..................s..........------------......................",
           "..........--------...............XXXX...........................................",
           "...................................XX.........................................k.",
           "..H.......................w.......XX........w...........w...................####",
           "#########...#>>>>>>>###########...XX...#########....S.......########...<<<<<#ddd",
           "ddddddddd...dddddddddddddddddddd..XX..#ddddddddd###########.#ddddddd....dddddddd",
           "ddddddddd^^^dddddddddddddddddddd^^XX^^ddddddddddddddddddddd^ddddddddd^^^^ddddddd",
           "dddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd",
           "dddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd",
       },
       kBgmStage, 300},
      {"ボスの城",
       {
           "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB",
           "B......................................B",
           "B......................................B",
           "B......................................B",
           "B......................................B",
           "B......h...............................B",
           "B....-----.....................-----...B",
           "B......................................B",
           "B..............------..................B",
           "B......................................B",
           "B.............................M........B",
           "B..H...................................B",
           "BXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXB",
           "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB",
           "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB",
       },
       kBgmBoss, 0},
  };
  return stages;
}

}  // namespace

const std::vector<StageLayout>& StoryStageLayouts() {
  static const std::vector<StageLayout> stages = [] {
    const auto& frame = FrameStageLayouts();
    std::vector<StageLayout> story(frame.begin(), frame.end() - 1);
    const auto& middle = AdventureStageLayouts();
    story.insert(story.end(), middle.begin(), middle.end());
    story.push_back(frame.back());
    return story;
  }();
  return stages;
}

const std::vector<StageLayout>& ChallengeStageLayouts() {
  static const std::vector<StageLayout> stages = {
      {"チャレンジ1-1 コインラッシュ",
       {
           "........................................",
           "........................................",
           "........................................",
           "..............ccccccccc.................",
           "...........c.............c..............",
           "..........-----.......------............",
           "...c.c.c..........................ccc...",
           "..-------...........w.........-------...",
           "..............ccc.......................",
           "............#######..............g......",
           "..H.................................k...",
           "########.....S..........S......#########",
           "dddddddd#########^^^^#######^^##dddddddd",
           "dddddddddddddddddddddddddddddddddddddddd",
           "dddddddddddddddddddddddddddddddddddddddd",
       },
       kBgmStage, 60},
      // The spike pit is two jumps wide: an ice island in its middle takes
      // the hero between them, or a jump from the island reaches the ledge.
      {"チャレンジ1-2 すべる氷",
       {
           "........................................",
           "........................................",
           "........................................",
           "........................................",
           "....................f...................",
           "........ccc.....................ccc.....",
           "......IIIIIII..............IIIIIIIII....",
           "........................................",
           ".................ccccc..................",
           "...............IIIIIIIII................",
           "..H..........................w......k...",
           "IIIIIIIIII...III...IIIIIIIIIIIIIIIIIIIII",
           "dddddddddd^^^ddd^^^ddddddddddddddddddddd",
           "dddddddddddddddddddddddddddddddddddddddd",
           "dddddddddddddddddddddddddddddddddddddddd",
       },
       kBgmStage, 90},
  };
  return stages;
}

}  // namespace sample_game
