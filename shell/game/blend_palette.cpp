#include "shell/game/blend_palette.h"

#include <algorithm>
#include <string>

#include "foundation/log.h"
#include "foundation/text_format.h"
#include "graphics/effects/blend.h"
#include "graphics/device/device.h"
#include "graphics/effects/fade.h"
#include "graphics/images/palette.h"
#include "graphics/images/palette_file.h"
#include "project/user_option.h"

namespace {
constexpr int kFirstEntry = 16;
constexpr int kLastEntry = 207;
constexpr int kRowLength = 16;
constexpr int kRotatedVariants = 12;

void RecolourRows(PaletteArray& palette, int variant) {
  if (variant < kRotatedVariants) {
    PaletteArray rotated;
    PalRotate(rotated.data(), kFirstEntry, kLastEntry, kRowLength * variant, 0, palette.data());
    palette = rotated;
    return;
  }
  const int source = kRowLength * (variant - (kRotatedVariants - 1));
  const PaletteArray original = palette;
  for (int row = kFirstEntry; row <= kLastEntry; row += kRowLength)
    std::copy_n(original.begin() + source, kRowLength, palette.begin() + row);
}
}  // namespace

int LoadBlendPalette(int variant) {
  if (lpDTCon || g_DDState.nBpp != 8) return 1;
  variant = std::clamp(variant, 0, cUserOption::kPaletteCount - 1);
  std::string digits;
  NumToStr(digits, variant, 2, 1, 0);
  const std::string table = "bmp\\hbt\\hbt" + digits + ".dat";
  if (!LoadBlendTable(g_BlendTable, table.c_str())) {
    ErrorBoxF(Cp932Literal("%s の読み込みに失敗！"), table.c_str());
    return 0;
  }
  if (!DDLoadPaletteFromFile(g_PalEntries.data(), "bmp\\plt\\Palette.bmp", g_DDState.nWindowMode)) {
    DebugLog(Cp932Literal("DDLoadPaletteFromFile失敗"));
    return 0;
  }
  RecolourRows(g_PalEntries, variant);
  g_BasePalEntries = g_PalEntries;
  DDSetScreenPalette(g_PalEntries.data(), 0, 256);
  return 1;
}
