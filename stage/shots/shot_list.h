#pragma once
// The stage's shots and swords: the list that owns them, in firing order,
// and per side ("勢力") a list of pointers to the shots of that side, which
// the contact passes walk. A removed shot is unlinked from its characters
// and marked at once (every walk skips it) and freed at the next safe point,
// so a pass may remove shots, its own current one included, while it walks.

#include <array>
#include <memory>
#include <vector>

#include "stage/chara/stage_lists.h"
#include "stage/shots/stage_shot.h"

inline constexpr int kShotSides = 8;

using ShotSideLists = std::array<std::vector<cStageShot*>, kShotSides>;

extern cObjectList<cStageShot> g_ShotList;
extern ShotSideLists g_ShotSides;

// Appends a shot that Setup has made and links it: to the list of its side,
// to its owner's shot references (role 4) and, when it follows a target, to
// the target's (role 0). A side outside the side lists: a report line and
// nothing is added (null).
cStageShot* AddShot(std::unique_ptr<cStageShot> shot);
// Unlinks the shot and takes it out of every walk; freed by PurgeShots.
void RemoveShot(cStageShot& shot);
// While the contact pass walks the shots, removals asked for by commands
// only mark the shot; the pass removes the marked ones when it can.
extern int g_ShotRemovalLocked;
void RemoveShotWhenAllowed(cStageShot& shot);
// Removes the marked shots; no walk when none was marked since the last.
void RemoveMarkedShots();
// Frees the removed shots and drops them from the side lists.
void PurgeShots();
// Every shot gone (a new attempt).
void ClearShots();

// The per-sub-step activity of the shots: present, and their screen place.
void UpdateShotActivity();
