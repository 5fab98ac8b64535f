#pragma once
// An item's command list runs at once on the hero when the item is taken
// (or named by "アイテムの取得"): no flow, no duration, no waiting. Each
// command first takes the bindings that "アレンジ" queued on the hero
// (an "アレンジ" itself queues one more), then runs; a stage clear or a
// hero without HP stops the list.
//
// The list runs in place, its loops already expanded, so a binding stays in
// the command for later runs of the same list: a stage item runs its own
// copy, "アイテムの取得" the attempt's working copy of the palette entry,
// and the palettes never change. Items that take items nest at most
// kMaxItemNesting deep.

#include "foundation/checked_vector.h"

class cChara;
class cEdCmd;

enum ItemRunResult : int { kItemRanAll = 0, kItemClearedStage = 1, kItemHeroDown = 2 };

inline constexpr int kMaxItemNesting = 16;

// Runs the list on the hero: 0 all ran and the hero lives, 1 "ステージクリア"
// ran (the list stopped there), 2 the hero's HP fell below 1.
int RunItemCmds(cChara& hero, cVector<cEdCmd>& commands);
// One item command of the 25-entry table; its result.
int RunItemCmd(cChara& hero, cEdCmd& command);
