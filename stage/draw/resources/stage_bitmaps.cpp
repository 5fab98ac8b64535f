#include "stage/draw/resources/stage_bitmaps.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "definitions/stage/stage_record.h"
#include "foundation/game_files.h"
#include "graphics/images/bitmap_table.h"
#include "stage/draw/layers/layer_motion.h"

namespace {

constexpr int kLayerPictureWidth = 640, kLayerPictureHeight = 480;

constexpr std::array<int, kBackgroundLayerCount> kLayerEntries = {55, 56, 57, 58, 59, 60, 61, 62};

// Entries 2 .. 47, 49, 51 and 55 .. 70.
constexpr std::array<int, 64> kStageEntries = [] {
  std::array<int, 64> entries{};
  std::size_t n = 0;
  for (int i = 2; i <= 47; ++i) entries[n++] = i;
  entries[n++] = 49;
  entries[n++] = 51;
  for (int i = 55; i <= 70; ++i) entries[n++] = i;
  return entries;
}();

// An optional sheet the game does not have (a layer slot without a picture,
// a character sheet the game never drew) is left empty rather than tried,
// so that its absence is not reported as a failure to load.
bool Absent(const BMPFILEDATA& entry) {
  if (!entry.bOptional || std::strcmp(entry.szPath, "E") == 0) return false;
  std::error_code error;
  return entry.szPath[0] == '\0' || !std::filesystem::is_regular_file(ResolveGamePath(entry.szPath), error);
}

template <std::size_t N>
bool LoadPresent(const std::array<int, N>& entries) {
  std::vector<int> present;
  for (int entry : entries) {
    if (Absent(g_BmpTable[entry])) DDReleaseSurface(&g_BmpSD[entry]);
    else present.push_back(entry);
  }
  return LoadBmpSurfaces(g_BmpSD, present.data(), static_cast<int>(present.size()));
}

}  // namespace

void NameBackgroundPictures(const cEdStage& stage) {
  for (std::size_t i = 0; i < kBackgroundLayerCount; ++i) {
    BMPFILEDATA& entry = g_BmpTable[kBackgroundLayerBitmap + i];
    const char* file = i < stage.m_vBackground.size() ? stage.m_vBackground[i].Image.c_str() : "";
    std::strncpy(entry.szPath, file, sizeof entry.szPath - 1);
    entry.szPath[sizeof entry.szPath - 1] = '\0';
    entry.nWidth = kLayerPictureWidth;
    entry.nHeight = kLayerPictureHeight;
  }
}

bool LoadStageBitmaps(bool fromStage) {
  return fromStage ? LoadPresent(kLayerEntries) : LoadPresent(kStageEntries);
}

void ReleaseBackgroundPictures() {
  for (int entry : kLayerEntries) DDReleaseSurface(&g_BmpSD[entry]);
}
