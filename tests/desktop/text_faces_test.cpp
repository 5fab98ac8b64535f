// The player as built, with fontconfig pointed at fonts of the case's own
// (FONTCONFIG_FILE): the game's texts drawn by whichever Japanese face is
// installed, at the size and in the place the IPA face gives them, and a
// machine without a Japanese face told so.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/support/test_fonts.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNoJapaneseFontLine = "No installed font has the Japanese characters";
// The options screen's title ("オプション", the large font, 30 pixels high at
// y 32) and the values of its first three items ("0", "ON", "7": Latin
// text in the normal font, 16 pixels high from y 96).
constexpr ScreenRect kTitleBand{160, 16, 320, 64};
constexpr int kValueX = 208, kFirstValueY = 96, kValueLine = 16, kLatinValues = 3;
// Below the texts: the options screen's picture alone.
constexpr ScreenRect kBelowTheTexts{0, 240, 640, 240};

// The rows of a part of a picture that hold text: the options screen's texts
// are white on dark blue, so a pixel with each channel at least half on is text.
struct TextRows {
  int first = -1;
  int count = 0;
};

TextRows TextRowsIn(const std::vector<std::uint32_t>& pixels, int width, const ScreenRect& part) {
  TextRows rows;
  for (int y = part.y; y < part.y + part.height; ++y) {
    bool text = false;
    for (int x = part.x; x < part.x + part.width && !text; ++x) {
      const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + x];
      text = (pixel >> 16 & 0xFF) >= 0x80 && (pixel >> 8 & 0xFF) >= 0x80 && (pixel & 0xFF) >= 0x80;
    }
    if (!text) continue;
    if (rows.first < 0) rows.first = y;
    ++rows.count;
  }
  return rows;
}

class TextFacesOnADesktop : public DesktopFixture {
 protected:
  void SetUp() override {
    DesktopFixture::SetUp();
    frames_ = HeadlessOptionsFrames(kStartup);
    menu_ = HeadlessTitleMenu(kStartup);
    ASSERT_FALSE(frames_.options.pixels.empty());
    ASSERT_GT(menu_.size(), 2u);
    ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
    WriteGame(kStartup);
  }

  fs::path Fonts() const { return Game().parent_path() / "fonts"; }

  // Starts the player with fontconfig knowing only the fonts in Fonts(),
  // goes from the title (whose menu is a picture) to the options screen as a
  // user does, and waits until the screen's picture shows whole (its fade
  // has ended). The screen as shown then; empty when it never came.
  ScreenPixels OptionsScreen(SpawnedProgram*& player) {
    const fs::path configuration = WriteFontConfiguration(Game().parent_path() / "fontconfig", Fonts());
    player = &StartPlayer({}, {{"FONTCONFIG_FILE", configuration.string()}});
    const std::optional<XWindowId> window = WindowOf(*player);
    if (!window || !WaitUntilShown(*window, frames_.title)) return {};
    GameFrame picture = frames_.options;
    picture.part = kBelowTheTexts;
    // Up twice goes round the title's menu to its options command.
    const std::size_t optionsCommand = menu_.size() - 2;
    if (!TapUntilChosen(*window, XK_Up, menu_, optionsCommand) || !TapAndWaitForThePictureToChange(*window, XK_z) ||
        !WaitUntilShown(*window, picture))
      return {};
    const std::optional<ScreenRect> inner = X().InnerRect(*window);
    if (!inner || inner->width != picture.width || inner->height != picture.height) return {};
    return X().Capture(*inner);
  }

  void LinkLatinFont() const {
    fs::create_directories(Fonts());
    ASSERT_TRUE(fs::exists(kLatinFontFile)) << "no Latin font here (Debian: apt-get install fonts-dejavu-core)";
    fs::create_symlink(kLatinFontFile, Fonts() / fs::path(kLatinFontFile).filename());
  }

  std::string ReportOnceItNamesTheFace() const {
    std::string report;
    WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
      report = Report();
      return report.find("System Font : ") != std::string::npos;
    });
    return report;
  }

  static constexpr sample_game::StartupSettings kStartup{1, 1, 32};
  OptionsFrames frames_;
  std::vector<GameFrame> menu_;
};

std::string FontLine(const char* family) {
  std::string line = "System Font : ";
  return line.append(family).append(" (0,16) 128\n");
}

// The values of the options screen's first items ("0", "ON", "7") show.
void ExpectTheLatinValuesDrawn(const ScreenPixels& screen) {
  for (int value = 0; value < kLatinValues; ++value) {
    const ScreenRect cell{kValueX, kFirstValueY + value * kValueLine, 3 * kValueLine, kValueLine};
    EXPECT_GT(TextRowsIn(screen.pixels, screen.width, cell).count, 0) << "the value of item " << value;
  }
}

std::size_t Occurrences(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
    ++count;
  return count;
}

// The only Japanese face has a line of 1.45 em, as Noto Sans CJK has: the
// report names it, and the options screen's title comes out as high and
// in the same place as the IPA face draws it.
TEST_F(TextFacesOnADesktop, AJapaneseFaceWithATallerLineDrawsTheTitleAsTheIpaFaceDoes) {
  ASSERT_FALSE(WriteTallLineFace(Fonts()).empty());
  SpawnedProgram* player = nullptr;
  const ScreenPixels screen = OptionsScreen(player);
  ASSERT_FALSE(screen.pixels.empty()) << "the options screen did not show";
  const TextRows expected = TextRowsIn(frames_.options.pixels, frames_.options.width, kTitleBand);
  const TextRows drawn = TextRowsIn(screen.pixels, screen.width, kTitleBand);
  ASSERT_GT(expected.count, 20);
  EXPECT_LE(std::abs(drawn.count - expected.count), 1) << "the title is " << drawn.count << " pixels high";
  EXPECT_LE(std::abs(drawn.first - expected.first), 1) << "the title starts at y " << drawn.first;
  const std::string report = ReportOnceItNamesTheFace();
  EXPECT_NE(report.find(FontLine(kTallLineFamily)), std::string::npos) << report;
  EXPECT_EQ(Occurrences(report + player->Stderr(), kNoJapaneseFontLine), 0u);
}

// Latin fonts only: the report names the face that draws the texts, and
// says once, as stderr does, that no font has the Japanese characters; the
// Latin texts still draw.
TEST_F(TextFacesOnADesktop, WithoutAJapaneseFaceTheLatinTextsDrawAndTheReportSaysSo) {
  ASSERT_NO_FATAL_FAILURE(LinkLatinFont());
  SpawnedProgram* player = nullptr;
  const ScreenPixels screen = OptionsScreen(player);
  ASSERT_FALSE(screen.pixels.empty()) << "the options screen did not show";
  ExpectTheLatinValuesDrawn(screen);
  const std::string report = ReportOnceItNamesTheFace();
  EXPECT_NE(report.find(FontLine(kLatinFontFamily).append(kNoJapaneseFontLine)), std::string::npos) << report;
  EXPECT_EQ(Occurrences(report, kNoJapaneseFontLine), 1u) << report;
  EXPECT_EQ(Occurrences(player->Stderr(), kNoJapaneseFontLine), 1u) << player->Stderr();
}

// The only Japanese face has the kana and kanji and no Latin letter, digit
// or sign (as Droid Sans Fallback), beside DejaVu Sans: the options
// screen's Latin values are drawn by DejaVu Sans where they were the face's
// empty boxes, its title as the IPA face draws it, and the report names the
// face of the Latin letters after the Japanese one.
TEST_F(TextFacesOnADesktop, AJapaneseFaceWithoutLatinLettersHasThemDrawnByTheLatinFont) {
  ASSERT_FALSE(WriteKanaKanjiFace(Fonts()).empty())
      << "fontTools could not cut the face (Debian: apt-get install python3-fonttools)";
  ASSERT_NO_FATAL_FAILURE(LinkLatinFont());
  SpawnedProgram* player = nullptr;
  const ScreenPixels screen = OptionsScreen(player);
  ASSERT_FALSE(screen.pixels.empty()) << "the options screen did not show";
  ExpectTheLatinValuesDrawn(screen);
  const TextRows expected = TextRowsIn(frames_.options.pixels, frames_.options.width, kTitleBand);
  const TextRows drawn = TextRowsIn(screen.pixels, screen.width, kTitleBand);
  EXPECT_EQ(drawn.count, expected.count);
  EXPECT_EQ(drawn.first, expected.first);
  const std::string report = ReportOnceItNamesTheFace();
  std::ostringstream line;
  line << "System Font : " << kKanaKanjiFamily << " (0,16) 128, Latin letters: " << kLatinFontFamily << "\n";
  EXPECT_NE(report.find(line.str()), std::string::npos) << report;
  EXPECT_EQ(Occurrences(report + player->Stderr(), kNoJapaneseFontLine), 0u);
}

}  // namespace
}  // namespace desktop_test
