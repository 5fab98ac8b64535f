#include <algorithm>
#include <vector>

#include "foundation/game_files.h"
#include "graphics/effects/blend.h"
#include "graphics/device/device.h"

BYTE g_BlendTable[kBlendTableSize];

bool LoadBlendTable(BYTE* lpTable, const char* lpFileName) {
  if (lpDTCon) return true;
  if (!lpTable || !lpFileName) return false;
  std::vector<unsigned char> bytes;
  // A short table would leave the rest of the old one mixed in: refuse it whole.
  if (!ReadGameFile(lpFileName, bytes) || bytes.size() < static_cast<std::size_t>(kBlendTableSize)) return false;
  std::copy_n(bytes.begin(), kBlendTableSize, lpTable);
  return true;
}
