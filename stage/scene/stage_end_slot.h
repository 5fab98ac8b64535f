#pragma once
// The end of a stage and the menus over it belong to the game screens,
// which stand above the stage: the tally and the ranking check when a stage
// ends, the ranking registration, the choice of what follows, and the
// pause and retry menus on the screens' shared menu cursor. The stage
// reaches them through this table, which the screens fill at start-up. An
// entry left empty keeps the neutral behaviour: nothing is tallied or
// registered, the stage end leads to the title, the menu cursor stays
// where it was put and nothing of the menus is drawn.

#include "foundation/checked_vector.h"
#include "project/system_elements.h"

class cInput;
class cStageScene;

struct StageEndSlot {
  void (*prepareStageEnd)(cStageScene&) = nullptr;
  void (*startRankingRegistration)(cStageScene&) = nullptr;
  // The next game state.
  int (*finishStage)(cStageScene&) = nullptr;
  // The menu cursor on the n-th visible entry.
  void (*resetMenuCursor)(int position) = nullptr;
  // Moves the menu cursor over the visible entries of the menu (cursor
  // sound on a move); the index of the entry it then stands on.
  int (*moveMenuCursor)(const cInput&, const cVector<cCmdItem>& menu) = nullptr;
  // The scene's menu (pause or retry) with the cursor.
  void (*drawMenu)(cStageScene&) = nullptr;
  // Over the stage-end frame: the banner, the registration hint and the
  // result panel.
  void (*drawStageEnd)(cStageScene&) = nullptr;
  // Save-data flags of the pause menu: the current story stage allows retry
  // and the return to the map; challenge entry n allows a retry.
  int (*storyStageFlag)() = nullptr;
  int (*challengeRetryFlag)(int entry) = nullptr;
};

extern StageEndSlot g_StageEnd;

// Through the table (neutral without an entry).
void ResetStageMenuCursor(int position);
int MoveStageMenuCursor(const cInput& input, const cVector<cCmdItem>& menu, int current);
void DrawStageEndOverlay(cStageScene& scene);
