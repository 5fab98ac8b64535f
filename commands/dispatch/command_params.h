#pragma once
// A command's small parameter n. Loaded commands carry as many as their
// kind keeps; one that is missing all the same (a command made by hand) is
// reported with the "err V" line and reads as 0.

#include <cstdint>

class cEdCmd;

std::int32_t CmdParam(const cEdCmd& command, int index);
