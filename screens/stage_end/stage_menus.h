#pragma once
// The stage's pause and retry menus on the shared menu cursor: the menu's
// visible entries stand in one column at y 272, centred on x 320, and the
// cursor walks them with wrap-around; the save-data flags that open its
// further entries; the stage-end frame's registration hint, end banner and
// result panel.

#include "foundation/checked_vector.h"
#include "input/input_record.h"
#include "project/system_elements.h"

class cStageScene;

// The cursor on the n-th visible entry.
void ResetStageMenu(int position);
// Moves the cursor (sound 0 on a move); the index of the entry under it.
int MoveStageMenu(const cInput& input, const cVector<cCmdItem>& menu);
// The save data's flags that let the pause menu offer more than the title
// and going on. Story: the current stage has been cleared before (its
// clear switch is on), which lets the menu offer a retry and the way back
// to the map. Challenge: stage entry n (from 0) has been cleared, which lets
// it offer a retry. A stage outside the lists has no flag.
int StoryStageCleared();
int ChallengeStageCleared(int entry);
// The scene's menu and the cursor.
void DrawStageMenu(cStageScene& scene);
// Over the stage-end frame.
void DrawStageEnd(cStageScene& scene);
