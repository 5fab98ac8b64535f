#pragma once
// "ループ" commands are not run: before a flow list is installed (and when an
// item's command list is set up) each is replaced by plain copies of the
// commands it repeats. A loop repeats the `span` commands after it `count`
// times in a row; a loop inside a repeated block is copied with it and
// expanded by a later pass, so nested loops multiply.

#include <cstddef>

#include "definitions/command_record.h"
#include "foundation/checked_vector.h"

// The most commands one list may grow to; an expansion that would pass it
// is reported and the list keeps what it has, without its loop commands.
inline constexpr std::size_t kMaxExpandedCommands = 4194304;

bool IsLoopCommand(const cEdCmd& command);
// Expands the first loop command of the list; false when there is none.
bool ExpandFirstLoop(cVector<cEdCmd>& list);
// Expands until no loop command is left.
void ExpandLoopCommands(cVector<cEdCmd>& list);
