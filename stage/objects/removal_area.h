#pragma once
// Whether a moving object lies in one of the playing stage's five removal
// areas (0 characters, 1 block characters, 2 items, 3 shots of side 0,
// 4 the other shots), seen from the current scroll position.

class cStageObj;

bool InRemovalArea(const cStageObj& obj, int area);
