#include "foundation/game_files.h"

#include <gtest/gtest.h>

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

}  // namespace
