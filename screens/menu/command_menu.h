#pragma once
// Menus of command entries (the title, world-map and option menus of the
// system record, the stage's pause menu) can hide entries. The cursor walks
// the visible entries only, so a cursor position (the n-th visible entry) is
// turned into the entry's index in the list.

#include "foundation/checked_vector.h"
#include "project/system_elements.h"

using cCmd = cVector<cCmdItem>;

// Entries whose visible flag is non-zero.
int CountVisibleCmds(const cCmd& list);
// Index of the n-th visible entry (from 0). Past the visible entries: the
// debug box "cCmd::GetCmdNum 番号が不正です！" (debug log on only) and 0.
int GetCmdNum(int n, const cCmd& list);
