#pragma once
// The story mode's list of save slots as the title screen's continue and new
// game and the world-map menu's save show it: one line per slot with its
// number and, for a used slot, the time it was saved.
//
// The list is refreshed from the slot files each time it is shown: a slot
// whose file is missing is empty; one whose file loads is used with its save
// time; one whose file exists but does not load (damaged, or written by a
// newer version) is used, shown without a time, and marked unloadable.

#include <string>

#include "definitions/save_data/save_slots.h"
#include "foundation/checked_vector.h"
#include "graphics/surfaces/surface.h"

// Reads every slot's file into its entry.
void RefreshSaveSlots(cVector<cSaveSlot>& list);

// A 320 x (16 * rows) window at (x, y) with the slots from `firstRow`: a
// separator under every line but the last, the slot number, the save time of
// a loaded slot; it stops at the list's end.
void DrawSaveSlots(DDSURFACEDATA* surface, int x, int y, const cVector<cSaveSlot>& list, int firstRow, int rows);

// "yyyy/mm/dd hh:mm\n" of the slot's save time.
std::string SlotTimeText(const cSaveSlot& slot);
