#pragma once
// The one cursor that every menu moves: a stack of levels, one per open
// sub-menu. Opening a sub-menu pushes a level (fresh, or a copy of the level
// below when the sub-menu continues where its parent stands); closing it pops
// the level and tells what the parent keeps: a fresh start, its own place, or
// the place the sub-menu had reached.
//
// A level holds a column and a row (the menu's own units) and the pixel
// position they give; the two movers turn a frame's direction word into a
// new position: a grid that wraps at its edges, and a list that scrolls a
// window of rows over a longer list and pages it with left and right.

#include <cstdint>

#include "foundation/checked_vector.h"
#include "input/input_record.h"

struct MENUCURSOR {
  std::int32_t nColumn = 0;
  std::int32_t nRow = 0;
  std::int32_t nX = 0;  // pixels
  std::int32_t nY = 0;
};

// How PopMenuCursor leaves the level that becomes the top.
enum MenuCursorPop : int { kPopZero = 0, kPopKeep = 1, kPopTakeRemoved = 2 };
// How PushMenuCursor starts the new level.
enum MenuCursorPush : int { kPushZero = 0, kPushCopyBelow = 1 };

class cMenuCursor {
 public:
  cMenuCursor() : m_vLevels(1) {}

  // The top level (the last element) and the level below it (null with one level).
  MENUCURSOR& Top() { return m_vLevels[static_cast<long long>(m_vLevels.size()) - 1]; }
  MENUCURSOR* Below() {
    return m_vLevels.size() < 2 ? nullptr : &m_vLevels[static_cast<long long>(m_vLevels.size()) - 2];
  }

  cVector<MENUCURSOR> m_vLevels;
};

extern cMenuCursor g_MenuCursor;

// Exactly one level, all zero.
void ResetMenuCursor();
// A new top level: zeroed, or (kPushCopyBelow) a copy of the level below
// it, the top before the push.
void PushMenuCursor(int mode);
// With at least two levels: drops the top; the new top is zeroed (kPopZero),
// kept (kPopKeep) or given the dropped level's values (kPopTakeRemoved).
void PopMenuCursor(int mode);
// Level `index` through the checked access (a bad index is reported).
MENUCURSOR& VecAtMenuCursor(long long index);

// Left / right move the column, up / down the row (left and up win over
// their opposites), wrapping at the edges; then x := column * cellWidth + x0,
// y := row * cellHeight + y0. Nothing when columns or rows is negative.
void MoveGridCursor(const cInput& input, int x0, int y0, int cellWidth, int cellHeight, int columns, int rows);

// A list of `total` entries of which `shown` rows are visible from
// `firstShown` (kept by the caller). The entry is the top level's row
// (vertical) or column. Up / down step one entry and scroll at the window's
// edges; with paging, right / left jump a window (minus one row) forward or
// back, or to the last / first entry on the last / first page. The entry and
// the window are then clamped to the list, and the position is
// (entry - firstShown) * cell + origin along the list, `across` across it.
void ScrollListCursor(const cInput& input, int vertical, int& firstShown, int origin, int cell, int across,
                      int shown, int total, int paging);
