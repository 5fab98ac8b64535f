#include "foundation/game_files.h"

#include <gtest/gtest.h>

#include "foundation/record_stream.h"
#include "platform/filesystem.h"
#include "platform/text_encoding.h"
#include "tests/foundation/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

class GameFilesTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    ForgetGameFolderListings();
  }
  static std::string Stored(const char* utf8) { return *platform::TryCp932FromUtf8(utf8); }
};

TEST_F(GameFilesTest, StoredPathFindsTheFileInAnyCase) {
  fs::create_directories("data/stage");
  WriteBytes("data/stage/背景.bmp", {1, 2, 3});
  EXPECT_EQ(ResolveGamePath(Stored("DATA\\Stage\\背景.BMP")), fs::path("data/stage/背景.bmp"));
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadGameFile(Stored("Data\\STAGE\\背景.bmp"), bytes));
  EXPECT_EQ(bytes, (std::vector<unsigned char>{1, 2, 3}));
}

TEST_F(GameFilesTest, ExactSpellingWinsOverOtherCases) {
  fs::create_directories("Save");
  fs::create_directories("save");
  EXPECT_EQ(ResolveGamePath("save"), fs::path("save"));
  EXPECT_EQ(ResolveGamePath("Save"), fs::path("Save"));
}

TEST_F(GameFilesTest, TrailByteOfBackslashStaysInsideItsComponent) {
  fs::create_directories("表");
  WriteBytes("表/a.txt", {7});
  EXPECT_EQ(ResolveGamePath("\x95\x5C\\A.TXT"), fs::path("表/a.txt"));
}

TEST_F(GameFilesTest, MissingPartsKeepTheStoredSpelling) {
  fs::create_directories("user_data");
  EXPECT_EQ(ResolveGamePath(Stored("USER_DATA\\新規\\Option.dat")), fs::path("user_data/新規/Option.dat"));
}

TEST_F(GameFilesTest, FileNamedWithRawBytesIsFound) {
  const std::string raw = Stored("背景.bmp");
  WriteBytes(raw, {9});
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadGameFile(Stored("背景.BMP"), bytes));
  EXPECT_EQ(bytes, std::vector<unsigned char>{9});
  // A raw name is not taken for another character whose trail byte differs in case only.
  EXPECT_EQ(ResolveGamePath(Stored("ア.bmp")), fs::path("ア.bmp"));
  WriteBytes(Stored("ヂ.bmp"), {8});
  EXPECT_EQ(ResolveGamePath(Stored("ア.BMP")), fs::path("ア.BMP"));
  // A file-system name in UTF-8 folds every ASCII letter, also after Japanese ones.
  WriteBytes("ぁA.txt", {6});
  EXPECT_EQ(ResolveGamePath(Stored("ぁa.TXT")), fs::path("ぁA.txt"));
}

TEST_F(GameFilesTest, FilesCreatedAfterAListingAreFound) {
  EXPECT_EQ(ResolveGamePath("NEW.DAT"), fs::path("NEW.DAT"));
  WriteBytes("new.dat", {});
  EXPECT_EQ(ResolveGamePath("NEW.DAT"), fs::path("new.dat"));
  fs::remove("new.dat");
  WriteBytes("New.Dat", {});
  EXPECT_EQ(ResolveGamePath("NEW.DAT"), fs::path("New.Dat"));
}

TEST_F(GameFilesTest, WriteReplacesTheResolvedFile) {
  WriteBytes("Option.dat", {1});
  const std::vector<unsigned char> bytes = {4, 5};
  ASSERT_TRUE(WriteGameFile("OPTION.DAT", bytes));
  EXPECT_EQ(ReadBytes("Option.dat"), bytes);
  EXPECT_FALSE(fs::exists("OPTION.DAT"));
}

// A game's own names reach save paths, so a write never leaves the game folder
// (the working folder): the old file stays and a report line says why. Reads
// of game data are not restricted.
TEST_F(GameFilesTest, WritesStayInsideTheGameFolder) {
  fs::create_directories("game/save");
  fs::create_directories("outside");
  fs::create_directory_symlink(folder_ / "outside", "game/link_out");
  fs::create_directory_symlink(folder_ / "game/save", "game/link_in");
  WriteBytes("outside/x.dat", {1});
  fs::current_path("game");
  const std::vector<unsigned char> bytes = {9};

  const std::string absolute = (folder_ / "outside" / "x.dat").string();
  for (const std::string& path : {std::string("..\\outside\\x.dat"), std::string("save\\..\\..\\outside\\x.dat"),
                                  std::string("link_out\\x.dat"), absolute}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(WriteGameFile(path, bytes));
    EXPECT_FALSE(OpenWriteFile(path));
    EXPECT_NE(ReportText().find("Refused to write \"" + path + "\" outside the game folder"), std::string::npos);
  }
  EXPECT_EQ(ReadBytes(folder_ / "outside" / "x.dat"), (std::vector<unsigned char>{1}));
  EXPECT_EQ(platform::ListDirectory(folder_ / "outside")->size(), 1u);

  EXPECT_TRUE(WriteGameFile("save\\..\\inside.dat", bytes));
  EXPECT_TRUE(WriteGameFile(".\\link_in\\linked.dat", bytes));
  EXPECT_TRUE(fs::exists(folder_ / "game" / "save" / "linked.dat"));

  std::vector<unsigned char> read;
  EXPECT_TRUE(ReadGameFile("..\\outside\\x.dat", read));
  EXPECT_TRUE(ReadGameFile("link_out\\x.dat", read));
}

}  // namespace
