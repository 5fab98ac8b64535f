#pragma once
// The upgrade of a command read from a file older than this program: the
// steps that each data version since the first made to the commands' kinds,
// parameters and records, applied in ascending order.

#include <cstdint>

class cEdCmd;

// Applies every step whose version is above the file's version.
void UpgradeCommand(cEdCmd& command, std::uint32_t fileVersion);
