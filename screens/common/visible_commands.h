#pragma once
// The commands a screen's menu offers: the entries of its command list
// (title, world-map menu, options) whose visible flag is set, in list
// order, each named by its index in the list. A screen knows a fixed number
// of commands; entries past that are not offered (a report line says so),
// and a list that shows nothing offers command 0 alone, so a menu always has
// a row to stand on.

#include <string>
#include <string_view>
#include <vector>

#include "project/system_elements.h"
#include "foundation/checked_vector.h"

std::vector<int> VisibleCommands(const cVector<cCmdItem>& list, int knownCommands, std::string_view screen);

// The name of a command; empty for one the list does not have (the command
// 0 of an empty list).
const std::string& CommandName(const cVector<cCmdItem>& list, int command);
