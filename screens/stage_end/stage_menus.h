#pragma once
// The stage's pause and retry menus on the shared menu cursor: the menu's
// visible entries stand in one column at y 272, centred on x 320, and the
// cursor walks them with wrap-around; the stage-end frame's registration
// hint, end banner and result panel.

#include "foundation/checked_vector.h"
#include "input/input_record.h"
#include "project/system_elements.h"

class cStageScene;

// The cursor on the n-th visible entry.
void ResetStageMenu(int position);
// Moves the cursor (sound 0 on a move); the index of the entry under it.
int MoveStageMenu(const cInput& input, const cVector<cCmdItem>& menu);
// The scene's menu and the cursor.
void DrawStageMenu(cStageScene& scene);
// Over the stage-end frame.
void DrawStageEnd(cStageScene& scene);
