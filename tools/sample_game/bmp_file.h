#pragma once
// Windows bitmap files as the player reads them: 8 bits per pixel with the
// full 256-entry colour table of the sample palette, uncompressed, rows
// stored bottom-up and padded to four bytes.

#include <cstdint>
#include <vector>

#include "tools/sample_game/indexed_image.h"
#include "tools/sample_game/sample_palette.h"

namespace sample_game {

std::vector<std::uint8_t> EncodeBmp8(const IndexedImage& image, const Palette& palette);

}  // namespace sample_game
