// A stage of the sample game drawn by the whole player: the meadow, entered
// from the title over the world map, shows its background pictures, its
// blocks and the hero dot for dot as the game's bitmap files hold them. The
// stage loads these sheets itself; the screens before it load only their
// own.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/surfaces/surface_lock.h"
#include "sample_walk.h"
#include "screens/worldmap/world_map_scene.h"
#include "shell/game/game.h"
#include "shell/harness/run_harness.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/double_to_int.h"
#include "stage/draw/chara/graphic_number.h"
#include "stage/draw/chara/graphic_source.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"
#include "tools/sample_game/art.h"
#include "tools/sample_game/project_files.h"
#include "tools/sample_game/sample_game.h"
#include "tools/sample_game/sample_palette.h"

namespace {

using namespace sample_game;
using namespace sample_game_test;

constexpr int kWidth = 640, kHeight = 480, kCell = 32;
constexpr int kPlayTop = 64;  // below the status panel and the time display


std::uint32_t Rgb32(std::uint8_t colour) {
  const Rgb rgb = SamplePalette()[colour];
  return (std::uint32_t{rgb.r} << 16) | (std::uint32_t{rgb.g} << 8) | rgb.b;
}

const IndexedImage* ArtOf(const Pictures& pictures, const std::string& path) {
  for (const Picture& picture : pictures)
    if (picture.path == path) return &picture.image;
  return nullptr;
}

struct Frame {
  std::vector<std::uint32_t> dots;
  int width = 0, height = 0;
  std::uint32_t At(int x, int y) const { return dots[static_cast<std::size_t>(y) * width + x]; }
};

// How many see-through-free dots of the art cell at (sx, sy) (mirrored
// within `mirrorCell`-wide cells when given) the frame shows at (x, y), and
// how many there are on the screen.
struct Match {
  int opaque = 0, shown = 0;
};
Match MatchCell(const Frame& frame, int x, int y, int w, int h, const IndexedImage& art, int sx, int sy,
                int mirrorCell) {
  Match match;
  for (int dy = 0; dy < h; ++dy)
    for (int dx = 0; dx < w; ++dx) {
      const int fx = x + dx, fy = y + dy;
      if (fx < 0 || fy < kPlayTop || fx >= frame.width || fy >= frame.height) continue;
      const int ax = mirrorCell > 0 ? sx + mirrorCell - 1 - dx : sx + dx;
      const std::uint8_t colour = art.At(ax, sy + dy);
      if (colour == pal::kClear) continue;
      ++match.opaque;
      if (frame.At(fx, fy) == Rgb32(colour)) ++match.shown;
    }
  return match;
}

// The art and mirroring of a graphic source: the sheet's file and its
// mirror cell width from the bitmap table.
struct SourceArt {
  const IndexedImage* art = nullptr;
  int mirrorCell = 0;
};
SourceArt ArtOfSource(const GraphicSource& source, const Pictures& pictures) {
  const std::ptrdiff_t bitmap = source.surface - g_BmpSD;
  if (source.surface == nullptr || bitmap < 0 || bitmap >= kBmpCount) return {};
  return {ArtOf(pictures, g_BmpTable[bitmap].szPath), g_BmpTable[bitmap].nMirrorW};
}

TEST(StageGraphicsWalk, TheMeadowShowsItsBackgroundBlocksAndHero) {
  SampleWalk walk("stage_graphics");
  ASSERT_TRUE(walk.StartAtTitle());
  ASSERT_TRUE(WalkOntoTheMap(walk));
  ASSERT_TRUE(EnterTheMeadow(walk));
  walk.Step(20);
  walk.Shot("meadow");
  const cHero* hero = PlayerHero();
  ASSERT_NE(hero, nullptr);

  Frame frame;
  frame.dots = walk.Harness().PresentedFrame(&frame.width, &frame.height);
  ASSERT_EQ(frame.width, kWidth);
  ASSERT_EQ(frame.height, kHeight);
  const Pictures stagePictures = StagePictures();
  Pictures sheets = CharacterPictures();
  sheets.insert(sheets.end(), stagePictures.begin(), stagePictures.end());

  // The sky above the ground shows the layer pictures' colours, never the
  // plain colour of a stage without layers.
  const IndexedImage* sky = ArtOf(stagePictures, "bmp\\back\\Sky.bmp");
  const IndexedImage* hills = ArtOf(stagePictures, "bmp\\back\\Hills.bmp");
  ASSERT_TRUE(sky != nullptr && hills != nullptr);
  std::set<std::uint32_t> layerColours;
  for (const IndexedImage* layer : {sky, hills})
    for (std::uint8_t colour : layer->Pixels())
      if (colour != pal::kClear) layerColours.insert(Rgb32(colour));
  std::set<std::uint32_t> skyShown;
  for (int x = 0; x < kWidth; ++x) skyShown.insert(frame.At(x, kPlayTop));
  EXPECT_GT(skyShown.size(), 1u);
  for (std::uint32_t colour : skyShown) EXPECT_TRUE(layerColours.count(colour)) << std::hex << colour;

  // Every block wholly in view and clear of the hero shows its cell.
  const int scrollX = TruncToInt(g_StageSpace.scrollX.position);
  const int scrollY = TruncToInt(g_StageSpace.scrollY.position);
  int blocksSeen = 0;
  for (int row = 0; row < kHeight / kCell + 1; ++row)
    for (int column = 0; column < kWidth / kCell + 1; ++column) {
      const std::size_t index = g_BlockMap.IndexOfCell((scrollX >> 5) + column, (scrollY >> 5) + row);
      if (index >= g_BlockMap.Size()) continue;
      const cEdBlock* block = g_BlockMap.Cell(index).block;
      if (block == nullptr || block->m_nGraphicNo == 0 || block->m_nLayer != 0 || block->m_bHidden) continue;
      const int x = kCell * column - (scrollX & 31), y = kCell * row - (scrollY & 31);
      const bool whole = x >= 0 && y >= kPlayTop && x + kCell <= kWidth && y + kCell <= kHeight;
      const bool clearOfHero = x >= hero->screenRight || x + kCell <= hero->screenLeft ||
                               y >= hero->screenBottom || y + kCell <= hero->screenTop;
      if (!whole || !clearOfHero) continue;
      const GraphicSource source = GetGraphicSource(block->m_nGraphicKind, block->m_nGraphicNo, 0);
      const SourceArt art = ArtOfSource(source, sheets);
      ASSERT_NE(art.art, nullptr);
      const Match match = MatchCell(frame, x, y, kCell, kCell, *art.art, source.x, source.y, art.mirrorCell);
      EXPECT_EQ(match.shown, match.opaque) << "block at " << x << ", " << y;
      ++blocksSeen;
    }
  EXPECT_GT(blocksSeen, 10);

  // The hero shows the cell of its animation frame.
  const int number = GetGraphicNumber(*hero);
  ASSERT_GE(number, 0);
  const GraphicSource source = GetGraphicSource(hero->def.m_nGraphicKind, number + hero->drawnFrame, hero->facing);
  const SourceArt art = ArtOfSource(source, sheets);
  ASSERT_NE(art.art, nullptr);
  const Match match = MatchCell(frame, hero->screenLeft, hero->screenTop, hero->baseDrawWidth, hero->baseDrawHeight,
                                *art.art, source.x, source.y, art.mirrorCell);
  EXPECT_GT(match.opaque, 100);
  EXPECT_EQ(match.shown, match.opaque);
  EXPECT_TRUE(walk.Close());
}

// The mean brightness of the frame last shown (red + green + blue a dot).
double Brightness(const SampleWalk& walk) {
  int width = 0, height = 0;
  const std::vector<std::uint32_t> dots = walk.Harness().PresentedFrame(&width, &height);
  double sum = 0;
  for (std::uint32_t dot : dots) sum += ((dot >> 16) & 0xFF) + ((dot >> 8) & 0xFF) + (dot & 0xFF);
  return dots.empty() ? 0 : sum / static_cast<double>(dots.size());
}

// The brightness of each frame that ran `phase`, from the frame that began
// it to the one that ended it, which is the last frame stepped.
std::vector<double> PhaseFrames(SampleWalk& walk, int phase, const std::string& label) {
  std::vector<double> frames;
  for (int i = 0; i < 200; ++i) {
    const bool before = InStagePhase(phase);
    if (!before && !frames.empty()) break;
    walk.Step();
    if (!before && !InStagePhase(phase)) continue;
    frames.push_back(Brightness(walk));
    walk.Shot(label + "_" + std::to_string(frames.size()));
  }
  return frames;
}

// Each frame a step brighter (`brighter`) or darker than the one before,
// from black or to black.
void ExpectFade(const std::vector<double>& frames, bool brighter) {
  ASSERT_FALSE(frames.empty());
  for (std::size_t i = 1; i < frames.size(); ++i) {
    if (brighter) EXPECT_GT(frames[i], frames[i - 1]) << i;
    else EXPECT_LT(frames[i], frames[i - 1]) << i;
  }
  const double darkest = brighter ? frames.front() : frames.back();
  const double brightest = brighter ? frames.back() : frames.front();
  EXPECT_LT(darkest, brightest / 10);
}

// The colour a finished leave fills the back buffer with, which the next
// screen starts from.
constexpr std::uint8_t kFadedOutColour = 16;

// The frame that ends a leave: every dot of the back buffer holds the faded
// out colour as the mode stores it (its number at 8 bits, its colour above,
// opaque in Direct3D), and the screen shows that colour, at 8 bits through
// the palette the fade has left black.
void ExpectFilledWithFadedOutColour(const SampleWalk& walk, const StartupSettings& startup) {
  const bool eightBits = startup.bpp == 8;
  const std::uint32_t shown = eightBits ? 0 : Rgb32(kFadedOutColour);
  const std::uint32_t stored = eightBits ? kFadedOutColour : (startup.direct3D ? 0xFF000000u : 0u) | shown;
  int width = 0, height = 0;
  const std::vector<std::uint32_t> dots = walk.Harness().PresentedFrame(&width, &height);
  ASSERT_EQ(dots.size(), std::size_t{kWidth} * kHeight);
  for (std::size_t i = 0; i < dots.size(); ++i) ASSERT_EQ(dots[i], shown) << "shown dot " << i;
  cSurfaceLock back;
  ASSERT_TRUE(back.LockForReading(&BackBuffer));
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      ASSERT_EQ(eightBits ? back.Row8(y)[x] : back.Row32(y)[x], stored) << "stored dot " << x << ", " << y;
}

// A stage fades in from black and out to black again, a step each frame
// over 255 in steps of the game's fade speed, 10, in each drawing mode. The
// leave's last frame is no step of its fade but the back buffer filled for
// the next screen.
TEST(StageGraphicsWalk, TheStageFadesInAndOutInEachDrawingMode) {
  const std::pair<const char*, StartupSettings> modes[] = {
      {"Direct3D32", {1, 1, 32}}, {"DirectDraw32", {0, 1, 32}}, {"DirectDraw8", {0, 0, 8}}};
  for (const auto& [name, startup] : modes) {
    SCOPED_TRACE(name);
    GenerateOptions options;
    options.startup = startup;
    SampleWalk walk(std::string("stage_fade_") + name, options);
    ASSERT_TRUE(walk.StartOnStage(kStoryStages[0]));
    const std::vector<double> fadeIn = PhaseFrames(walk, kPhaseFadeIn, "fade_in");
    ASSERT_EQ(fadeIn.size(), 26u);
    ExpectFade(fadeIn, true);
    ASSERT_TRUE(walk.StepUntil([] { return InStagePhase(kPhasePlay); }));
    StageScene()->SetPhase(kPhaseLeave);  // as the pause menu's way out does
    std::vector<double> leave = PhaseFrames(walk, kPhaseLeave, "leave");
    ASSERT_EQ(leave.size(), 26u);
    ExpectFilledWithFadedOutColour(walk, startup);
    leave.pop_back();
    ExpectFade(leave, false);
    EXPECT_TRUE(walk.Close());
  }
}

}  // namespace
