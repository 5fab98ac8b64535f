#include "screens/menu/menu_cursor.h"

#include <algorithm>

cMenuCursor g_MenuCursor;

void ResetMenuCursor() {
  cVector<MENUCURSOR>& levels = g_MenuCursor.m_vLevels;
  levels.resize(1);
  levels[0] = MENUCURSOR{};
}

void PushMenuCursor(int mode) {
  cVector<MENUCURSOR>& levels = g_MenuCursor.m_vLevels;
  // The level below the new one is the present top.
  const MENUCURSOR level = mode == kPushCopyBelow && !levels.empty() ? levels.back() : MENUCURSOR{};
  levels.push_back(level);
}

void PopMenuCursor(int mode) {
  cVector<MENUCURSOR>& levels = g_MenuCursor.m_vLevels;
  if (levels.size() < 2) return;
  const MENUCURSOR removed = levels.back();
  levels.pop_back();
  MENUCURSOR& top = g_MenuCursor.Top();
  if (mode == kPopZero) top = MENUCURSOR{};
  else if (mode == kPopTakeRemoved) top = removed;
}

MENUCURSOR& VecAtMenuCursor(long long index) { return g_MenuCursor.m_vLevels[index]; }

namespace {

// Steps a grid coordinate by the pair of keys; the first key wins.
int StepWrapped(int value, bool back, bool forward, int count) {
  if (back) --value;
  else if (forward) ++value;
  if (value < 0) value = count - 1;
  if (value >= count) value = 0;
  return value;
}

}  // namespace

void MoveGridCursor(const cInput& input, int x0, int y0, int cellWidth, int cellHeight, int columns, int rows) {
  if (columns < 0 || rows < 0) return;
  MENUCURSOR& top = g_MenuCursor.Top();
  const std::uint16_t dir = input.m_wDir;
  top.nColumn = StepWrapped(top.nColumn, dir & kDirLeft, dir & kDirRight, columns);
  top.nRow = StepWrapped(top.nRow, dir & kDirUp, dir & kDirDown, rows);
  top.nX = top.nColumn * cellWidth + x0;
  top.nY = top.nRow * cellHeight + y0;
}

void ScrollListCursor(const cInput& input, int vertical, int& firstShown, int origin, int cell, int across,
                      int shown, int total, int paging) {
  MENUCURSOR& top = g_MenuCursor.Top();
  // Positions are computed in 64 bits: a page step of a huge window must not overflow.
  long long entry = vertical ? top.nRow : top.nColumn;
  long long first = firstShown;
  const std::uint16_t dir = input.m_wDir;
  if (dir & kDirUp) {
    if (entry <= first) --first;
    --entry;
  } else if (dir & kDirDown) {
    if (entry - first >= shown - 1) ++first;
    ++entry;
  }
  if (paging) {
    const long long page = static_cast<long long>(shown) - 1;
    if (dir & kDirRight) {
      if (first == static_cast<long long>(total) - shown) {
        entry = static_cast<long long>(total) - 1;
      } else {
        first += page;
        entry += page;
      }
    } else if (dir & kDirLeft) {
      if (first == 0) {
        entry = 0;
      } else {
        first -= page;
        entry -= page;
      }
    }
  }
  entry = std::max(0LL, std::min(entry, static_cast<long long>(total) - 1));
  first = std::max(0LL, std::min(first, std::max(0LL, static_cast<long long>(total) - shown)));
  firstShown = static_cast<int>(first);
  const int position = static_cast<int>((entry - first) * cell + origin);
  if (vertical) {
    top.nRow = static_cast<int>(entry);
    top.nY = position;
    top.nX = across;
  } else {
    top.nColumn = static_cast<int>(entry);
    top.nX = position;
    top.nY = across;
  }
}
