#include "art_showcase_scene.h"

#include <vector>

#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/text/font_setup.h"
#include "tools/sample_game/art.h"

namespace {

// The title's pictures, then the stage sheets the showcase draws from.
const std::vector<int> kShowcaseBitmaps = {47, 48, 49, 45, 2, 4, 20, 40, 46, 51};

}  // namespace

cArtShowcaseScene::cArtShowcaseScene(int state) : cScene(state) {}

void cArtShowcaseScene::Run() {
  if (!m_bLoaded && !m_bFailed) {
    m_bLoaded = LoadBmpSurfaces(g_BmpSD, kShowcaseBitmaps.data(), static_cast<int>(kShowcaseBitmaps.size()));
    m_bFailed = !m_bLoaded;
  }
  if (!m_bLoaded) return;
  using namespace sample_game;
  DDBlt(&BackBuffer, 0, 0, 640, 480, &g_BmpSD[47], 0, 0, 0);
  DDBlt(&BackBuffer, 0, 0, 640, 20, &g_BmpSD[46], 0, 0, 1);
  // A strip of ground with the cast walking on it.
  for (int x = 0; x < 640; x += 32) DDBlt(&BackBuffer, x, 448, 32, 32, &g_BmpSD[2], CellX(kGrassCell), CellY(kGrassCell), 1);
  const int step = (m_nFrame / 8) % 4;
  const int cast[] = {kHeroCell, kWalkerCell, kFlyerCell, kShooterCell, kBossCell};
  for (int i = 0; i < 5; ++i) {
    const int cell = cast[i] + step;
    DDBlt(&BackBuffer, 40 + 48 * i, 416, 32, 32, &g_BmpSD[4], CellX(cell), CellY(cell), 1);
  }
  DDBlt(&BackBuffer, 300, 416, 32, 32, &g_BmpSD[40], CellX(kCoinCell + step), CellY(kCoinCell + step), 1);
  DDBlt(&BackBuffer, 340, 424, 16, 16, &g_BmpSD[20], kPelletShot * 16, 0, 1);
  for (int d = 0; d < 3; ++d) DDBlt(&BackBuffer, 272 + 32 * d, 24, 32, 32, &g_BmpSD[51], 32 * (d + 1), 160, 1);
  g_Fonts[1].DrawBoxText(&BackBuffer, 120, 200, 0, 0, "Press a key", 16);
  DDBlt(&BackBuffer, 80, 196, 32, 32, &g_BmpSD[49], 0, 0, 1);
  ++m_nFrame;
}
