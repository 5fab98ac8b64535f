// The sample game's sounds and music through the player's own readers, and
// its pictures and stages checked for the faults hand-made data tends to
// have: art running across cell borders, see-through dots in pictures drawn
// opaque, stages without a hero or a way to finish.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "generated_game.h"
#include "platform/audio/ogg_player.h"
#include "project/global_data.h"
#include "sound/midi/smf.h"
#include "sound/waves/wave_file.h"
#include "tools/sample_game/art.h"
#include "tools/sample_game/sound_effects.h"
#include "tools/sample_game/sprites.h"
#include "tools/sample_game/stages/stage_builder.h"

namespace {

using namespace sample_game;

TEST(SampleMedia, EveryWaveReadsAsShortPcm) {
  sample_game_test::InGameFolder inGame;
  for (const auto* list : {&SystemSounds(), &DatabaseSounds()})
    for (const SoundEffect& sound : *list) {
      SCOPED_TRACE(sound.path);
      WAVEDATA wave;
      ASSERT_TRUE(DS_ReadWave(sound.path, wave));
      EXPECT_EQ(wave.format.nSamplesPerSec, 22050u);
      EXPECT_EQ(wave.format.wBitsPerSample, 16);
      EXPECT_GT(wave.data.size(), 0u);
      EXPECT_LT(wave.data.size(), 22050u * 2 * 2);  // under two seconds
    }
  EXPECT_EQ(SystemSounds().size(), 17u);
}

TEST(SampleMedia, MidiFilesConvertForTheMidiPlayer) {
  sample_game_test::InGameFolder inGame;
  for (const char* file : {"bgm\\Title.mid", "bgm\\Map.mid", "bgm\\Boss.mid"}) {
    SCOPED_TRACE(file);
    cSmf smf(file);
    ASSERT_EQ(smf.ReadFile(), 1);
    ASSERT_EQ(smf.Check(), 1);
    // Eight bars of 4/4 at 108 to 168 beats a minute.
    EXPECT_GT(smf.PlayTime(), 32 * 60.0 / 170);
    EXPECT_LT(smf.PlayTime(), 32 * 60.0 / 100);
  }
}

TEST(SampleMedia, OggFilesOpenInTheMusicPlayer) {
  for (const char* file : {"bgm/Title.ogg", "bgm/Stage.ogg"}) {
    platform::OggPlayer player;
    EXPECT_TRUE(player.Open(sample_game_test::GeneratedGame() / file)) << file;
  }
}

// The bounding box of the ink of a rectangle of an image.
struct Ink {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};
Ink InkOf(const IndexedImage& image, int x, int y, int w, int h) {
  Ink ink;
  for (int row = y; row < y + h; ++row)
    for (int col = x; col < x + w; ++col)
      if (image.At(col, row) != 0) {
        ink.left = std::min(ink.left, col);
        ink.top = std::min(ink.top, row);
        ink.right = std::max(ink.right, col);
        ink.bottom = std::max(ink.bottom, row);
      }
  return ink;
}

const IndexedImage& PictureAt(const Pictures& pictures, const std::string& path) {
  auto found = std::find_if(pictures.begin(), pictures.end(), [&](const Picture& p) { return p.path == path; });
  if (found == pictures.end()) throw std::runtime_error("no picture " + path);
  return found->image;
}

TEST(SampleArt, CastFitsItsCellsAndCellZeroStaysEmpty) {
  for (HeroPose pose : {HeroPose::Stand, HeroPose::StepA, HeroPose::StepB, HeroPose::Jump, HeroPose::Hurt}) {
    const IndexedImage hero = HeroSprite(pose, 2);
    EXPECT_LE(hero.Width(), 32);
    EXPECT_LE(hero.Height(), 32);
  }
  for (EnemyKind kind : {EnemyKind::Walker, EnemyKind::Flyer, EnemyKind::Shooter})
    for (int frame = 0; frame < 2; ++frame) {
      const IndexedImage enemy = EnemySprite(kind, frame, 2);
      EXPECT_LE(enemy.Width(), 32) << static_cast<int>(kind) << " " << frame;
      EXPECT_LE(enemy.Height(), 32);
    }
  const Pictures characters = CharacterPictures();
  const IndexedImage& sheet = PictureAt(characters, "bmp\\Character1.bmp");
  EXPECT_TRUE(InkOf(sheet, CellX(0), CellY(0), 32, 32).Empty());  // graphic number 0 is none
  for (int first : {kHeroCell, kWalkerCell, kFlyerCell, kShooterCell, kBossCell})
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(InkOf(sheet, CellX(first + i), CellY(first + i), 32, 32).Empty()) << first + i;
  const Pictures stage = StagePictures();
  const IndexedImage& blocks = PictureAt(stage, "bmp\\Block.bmp");
  EXPECT_TRUE(InkOf(blocks, 0, 0, 32, 32).Empty());
  for (int cell = kGrassCell; cell <= kFlagCell; ++cell)
    EXPECT_FALSE(InkOf(blocks, CellX(cell), CellY(cell), 32, 32).Empty()) << cell;
}

// The title menu stacks these 32-dot strips edge to edge: each line has to
// keep clear of its strip's edges or neighbouring lines run together.
TEST(SampleArt, TitleCommandLinesStayApartInTheirStrips) {
  const Pictures screens = ScreenPictures();
  const IndexedImage& commands = PictureAt(screens, "bmp\\GameMode.bmp");
  ASSERT_EQ(commands.Height(), 32 * 7);
  for (int n = 0; n < 7; ++n) {
    const Ink ink = InkOf(commands, 0, 32 * n, commands.Width(), 32);
    ASSERT_FALSE(ink.Empty()) << n;
    EXPECT_GE(ink.top, 32 * n + 3) << n;
    EXPECT_LE(ink.bottom, 32 * n + 28) << n;
  }
}

TEST(SampleArt, PicturesDrawnOpaqueHaveNoSeeThroughDots) {
  Pictures all = ScreenPictures();
  for (Picture& p : SystemPictures()) all.push_back(std::move(p));
  for (Picture& p : StagePictures()) all.push_back(std::move(p));
  for (const char* path : {"bmp\\Title.bmp", "bmp\\WorldBack.bmp", "bmp\\Window.bmp", "bmp\\StatusWindow.bmp",
                           "bmp\\back\\Sky.bmp"}) {
    const IndexedImage& image = PictureAt(all, path);
    const auto& pixels = image.Pixels();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0), 0) << path;
  }
}

// The fixed places that the screens read the system picture at.
TEST(SampleArt, SystemPictureHasArtWhereTheScreensLook) {
  const Pictures system = SystemPictures();
  const IndexedImage& accessory = PictureAt(system, "bmp\\Accessory.bmp");
  EXPECT_FALSE(InkOf(accessory, 0, 0, 32, 32).Empty());   // menu cursor
  EXPECT_FALSE(InkOf(accessory, 64, 0, 16, 16).Empty());  // slot cursor
  for (int x = 0; x <= 64; x += 16) EXPECT_FALSE(InkOf(accessory, x, 32, 16, 16).Empty()) << x;  // panel icons
  EXPECT_FALSE(InkOf(accessory, 0, 48, 16, 16).Empty());  // lives icon
  for (int x : {0, 32, 64, 96})
    for (int y : {64, 96}) EXPECT_FALSE(InkOf(accessory, x, y, 32, 32).Empty()) << x << "," << y;  // figure
  for (int y : {128, 144, 160}) {
    const Ink ink = InkOf(accessory, 0, y, 64, 16);
    EXPECT_EQ(ink.right - ink.left + 1, 50) << y;  // gauges are 50 dots wide
  }
  for (int y = 208; y < 218; y += 2) EXPECT_EQ(InkOf(accessory, 0, y, 64, 2).right, 49);
}

// The word sheet holds each banner whole in the cell the stage cuts it from,
// and nothing beside them that a banner could show; the stage number's and
// the time's digits each fill their own 32 x 32 cell.
TEST(SampleArt, WordSheetHasEachBannerInItsCell) {
  struct Cell {
    int x, y, width;
  };
  // Start, second, replay, clear and game-over banners.
  constexpr Cell kBanners[] = {{0, 0, 128}, {160, 0, 80}, {0, 32, 128}, {0, 64, 128}, {0, 96, 144}};
  const Pictures system = SystemPictures();
  const IndexedImage& words = PictureAt(system, "bmp\\Word.bmp");
  for (const Cell& banner : kBanners) {
    SCOPED_TRACE(testing::Message() << banner.x << "," << banner.y);
    const Ink ink = InkOf(words, banner.x, banner.y, banner.width, 32);
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.left, banner.x);  // not cut at either side
    EXPECT_LT(ink.right, banner.x + banner.width - 1);
  }
  for (int y = 0; y < 128; y += 32)
    for (int x = 0; x < words.Width(); ++x) {
      const bool inBanner = std::any_of(std::begin(kBanners), std::end(kBanners), [&](const Cell& banner) {
        return banner.y == y && x >= banner.x && x < banner.x + banner.width;
      });
      if (!inBanner) { EXPECT_TRUE(InkOf(words, x, y, 1, 32).Empty()) << x << "," << y; }
    }
  for (int y : {128, 160})
    for (int d = 0; d < 10; ++d) {
      const Ink ink = InkOf(words, 32 * d, y, 32, 32);
      ASSERT_FALSE(ink.Empty()) << d << "," << y;
      EXPECT_GE(ink.left, 32 * d);  // each digit inside its own cell
      EXPECT_LT(ink.right, 32 * d + 32);
      EXPECT_GE(ink.top, y);
      EXPECT_LT(ink.bottom, y + 32);
    }
}

TEST(SampleStagesLayout, EachStageHasOneHeroAndAWayToFinish) {
  std::vector<const StageLayout*> layouts;
  for (const auto& s : StoryStageLayouts()) layouts.push_back(&s);
  for (const auto& s : ChallengeStageLayouts()) layouts.push_back(&s);
  for (const StageLayout* layout : layouts) {
    SCOPED_TRACE(layout->title);
    ASSERT_GE(layout->rows.size(), 15u);
    int heroes = 0, finishes = 0;
    for (auto row : layout->rows) {
      EXPECT_EQ(row.size(), layout->rows.front().size());
      heroes += static_cast<int>(std::count(row.begin(), row.end(), 'H'));
      finishes += static_cast<int>(std::count(row.begin(), row.end(), 'k') + std::count(row.begin(), row.end(), 'M'));
    }
    EXPECT_EQ(heroes, 1);
    EXPECT_GE(finishes, 1);
  }
}

}  // namespace
