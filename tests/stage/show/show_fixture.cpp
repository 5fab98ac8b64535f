#include "tests/stage/show/show_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "definitions/command_kinds.h"
#include "foundation/game_files.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/hero.h"

namespace show_test {

namespace {

void Put(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

void WritePicture(const std::string& storedPath, int width, int height, std::uint32_t colour) {
  WritePicture(storedPath, width, height, [colour](int, int) { return colour; });
}

void WritePicture(const std::string& storedPath, int width, int height,
                  const std::function<std::uint32_t(int, int)>& colourAt) {
  const std::size_t stride = ((static_cast<std::size_t>(width) * 24 + 31) / 32) * 4;
  std::vector<std::uint8_t> bytes(54 + stride * static_cast<std::size_t>(height), 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put(bytes, 10, 54, 4);
  Put(bytes, 14, 40, 4);
  Put(bytes, 18, static_cast<std::uint32_t>(width), 4);
  Put(bytes, 22, static_cast<std::uint32_t>(height), 4);
  Put(bytes, 26, 1, 2);
  Put(bytes, 28, 24, 2);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      Put(bytes, 54 + static_cast<std::size_t>(height - 1 - y) * stride + 3 * static_cast<std::size_t>(x),
          colourAt(x, y), 3);
  ASSERT_TRUE(WriteGameFile(storedPath, bytes));
}

cEdCmd PictureCommand(const PictureParams& p) {
  cEdCmd command;
  command.m_nKind = kCmdPicture;
  for (int value : {p.picture, p.place, p.x, p.y, p.offsetX, p.offsetY, p.layer, p.percent, p.duration, p.time,
                    p.wait, p.screenFixed, p.idSwitch, p.id, p.oneFrame})
    command.m_vParams.push_back(value);
  return command;
}

cEdCmd MessageCommand(const std::string& text, const MessageParams& p) {
  cEdCmd command;
  command.m_nKind = kCmdMessage;
  command.m_strCode = text;
  for (int value : {p.place, p.x, p.y, p.offsetX, p.offsetY, p.keepInside, p.duration, p.time, p.wait, p.escapes,
                    p.screenFixed, p.refresh, p.idSwitch, p.id, p.openingFrame, p.erase, p.refreshInterval,
                    p.oneFrame})
    command.m_vParams.push_back(value);
  return command;
}

StageBuilder ShowTest::Stage() {
  StageBuilder builder(40, 20, 5, 5);
  for (int column = 0; column < 40; ++column) builder.Block(column, 8);  // a floor: the hero never falls out
  return builder;
}

void ShowTest::SetUp() {
  m_previous = std::filesystem::current_path();
  // A parameterised test's name holds a slash ("Name/0"), which must not
  // make a folder inside a folder that is never removed.
  std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(name.begin(), name.end(), '/', '_');
  m_folder = std::filesystem::temp_directory_path() / ("show_test_" + std::to_string(getpid()) + "_" + name);
  std::filesystem::remove_all(m_folder);
  std::filesystem::create_directories(m_folder);
  std::filesystem::current_path(m_folder);
  std::filesystem::create_directories("bmp/picture");
  ForgetGameFolderListings();
  WritePicture("bmp\\picture\\A.bmp", 40, 20, 0xFF0000);
  WritePicture("bmp\\picture\\B.bmp", 101, 60, 0x00FF00);
  platform::TakeHeadlessBoxes();
  while (platform::TakeCloseRequest()) {
  }
  StartRun();
}

void ShowTest::StartRun() {
  run.reset();
  run = std::make_unique<StageRun>(Stage());
  auto& pictures = g_Database->m_vPicture;
  pictures.resize(4);
  pictures[1].m_strFile = "bmp\\picture\\A.bmp";
  pictures[2].m_strFile = "bmp\\picture\\B.bmp";
  pictures[3].m_strFile = "bmp\\picture\\A.bmp";
}

void ShowTest::TearDown() {
  run.reset();
  std::filesystem::current_path(m_previous);
  std::filesystem::remove_all(m_folder);
  ForgetGameFolderListings();
}

cChara& ShowTest::Hero() { return *run->harness.Hero(); }

void ShowTest::Step(int frames) {
  for (int i = 0; i < frames; ++i) run->harness.Step(0, 0);
}

}  // namespace show_test
