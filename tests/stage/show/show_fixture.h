#pragma once
// A small stage played in a temporary game folder that holds a few picture
// files, with the commands of the message and picture tests built from
// their parameter lists.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "definitions/command_record.h"
#include "tests/stage/stage_fixture.h"

namespace show_test {

// A 24-bit bitmap of one colour (0xRRGGBB) written into the game folder.
void WritePicture(const std::string& storedPath, int width, int height, std::uint32_t colour);
// The same with the colour of each dot (x, y from the top left).
void WritePicture(const std::string& storedPath, int width, int height,
                  const std::function<std::uint32_t(int, int)>& colourAt);

// The 15 parameters of "ピクチャーの表示", by name.
struct PictureParams {
  int picture = 1, place = 0, x = 0, y = 0, offsetX = 0, offsetY = 0, layer = 0, percent = 100, duration = 1,
      time = 0, wait = 0, screenFixed = 1, idSwitch = 0, id = 0, oneFrame = 0;
};
cEdCmd PictureCommand(const PictureParams& p);

// The 18 parameters of "メッセージ", by name.
struct MessageParams {
  int place = 0, x = 0, y = 0, offsetX = 0, offsetY = 0, keepInside = 0, duration = 1, time = 0, wait = 0,
      escapes = 0, screenFixed = 1, refresh = 0, idSwitch = 0, id = 0, openingFrame = 0, erase = 0,
      refreshInterval = 0, oneFrame = 0;
};
cEdCmd MessageCommand(const std::string& text, const MessageParams& p);

// The game folder (the working folder while the test runs) with pictures
// 1 "A" 40 x 20, 2 "B" 101 x 60 and 3 "A" again (same file as 1), and a
// stage of 40 x 20 cells with the hero at (5, 5) over a floor.
class ShowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  virtual StageBuilder Stage();
  // A new attempt of the stage (the picture list set up again).
  void StartRun();

  cStageScene& Scene() { return run->harness.Scene(); }
  cChara& Hero();
  void Step(int frames = 1);

  std::unique_ptr<StageRun> run;

 private:
  std::filesystem::path m_previous;
  std::filesystem::path m_folder;
};

}  // namespace show_test
