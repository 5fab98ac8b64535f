#include "stage/draw/panel/stage_banners.h"

#include "graphics/blits/blit.h"
#include "graphics/blits/screen_services.h"
#include "graphics/effects/blend.h"
#include "graphics/images/bitmap_table.h"

namespace {

constexpr int kWordBitmap = 51;
constexpr int kRow = 32;  // every banner and digit is one 32-dot row high
constexpr int kColourKey = 1;

// A banner: its cell on the word sheet and where it stands on the screen.
struct Banner {
  int sheetX, sheetY, width;
  int x, y;
};

constexpr Banner kStartBanner{0, 0, 128, 256, 224};
constexpr Banner kSecondBanner{160, 0, 80, 280, 224};
constexpr Banner kReplayBanner{0, 32, 128, 256, 224};
constexpr Banner kEndBanner{0, 64, 128, 256, 192};
constexpr Banner kGameOverBanner{0, 96, 144, 248, 224};
// The stage number right of the start banner.
constexpr int kNumberX = kStartBanner.x + kStartBanner.width;
constexpr int kDigitsY = 128;
constexpr int kEndBannerOpaque = 100;

void Draw(const Banner& banner, DDSURFACEDATA* surface, DDSURFACEDATA* sheet) {
  DDBlt(surface, banner.x, banner.y, banner.width, kRow, sheet, banner.sheetX, banner.sheetY, kColourKey);
}

}  // namespace

DDSURFACEDATA* WordSheet() { return &g_BmpSD[kWordBitmap]; }

void DrawIntroBanner(IntroBanner banner, int stageNumber, DDSURFACEDATA* surface, DDSURFACEDATA* wordSheet) {
  switch (banner) {
    case IntroBanner::Replay:
      Draw(kReplayBanner, surface, wordSheet);
      return;
    case IntroBanner::Start:
      Draw(kStartBanner, surface, wordSheet);
      DDDrawNumber(surface, kNumberX, kStartBanner.y, kRow, kRow, wordSheet, 0, kDigitsY, kColourKey, stageNumber, 0,
                   0);
      return;
    case IntroBanner::Second:
      Draw(kSecondBanner, surface, wordSheet);
      return;
    case IntroBanner::None:
      return;
  }
}

void DrawEndBanner(int counter, DDSURFACEDATA* surface, DDSURFACEDATA* wordSheet) {
  if (counter >= kEndBannerOpaque) {
    Draw(kEndBanner, surface, wordSheet);
    return;
  }
  const int transparency = (kEndBannerOpaque - counter) * 255 / kEndBannerOpaque;
  DDBltAlpha(surface, kEndBanner.x, kEndBanner.y, kEndBanner.width, kRow, wordSheet, kEndBanner.sheetX,
             kEndBanner.sheetY, kColourKey, g_BlendTable, transparency);
}

void DrawGameOverBanner(DDSURFACEDATA* surface, DDSURFACEDATA* wordSheet) { Draw(kGameOverBanner, surface, wordSheet); }
