#include "foundation/paths.h"

#include <gtest/gtest.h>

#include <cctype>

#include "tests/foundation/scratch_folder.h"

namespace {

// "表" in CP932 is 0x95 0x5C: its trail byte is the byte of '\'.
const std::string kTable = "\x95\x5C";

class PathsTest : public ScratchFolderTest {
 protected:
  std::string WorkingFolder() const { return std::filesystem::current_path().string(); }
};

TEST_F(PathsTest, SplittingKeepsTrailBytesThatLookLikeSeparators) {
  const std::string path = "data\\" + kTable + "\\\\x.bmp\\";
  const SplitPath split = SplitStoredPath(path);
  EXPECT_FALSE(split.absolute);
  ASSERT_EQ(split.components.size(), 3u);
  EXPECT_EQ(split.components[1], kTable);
  EXPECT_EQ(split.components[2], "x.bmp");
  EXPECT_TRUE(SplitStoredPath("/tmp/x").absolute);
}

TEST_F(PathsTest, StripDirectoryCutsOnlyAtRealSeparators) {
  std::string path = "stage\\" + kTable + "\\a.stg4";
  StripDirectory(path);
  EXPECT_EQ(path, "a.stg4");
  path = "stage\\" + kTable;
  StripDirectory(path);
  EXPECT_EQ(path, kTable);
  path = kTable + "a";
  StripDirectory(path);
  EXPECT_EQ(path, kTable + "a");
  path = "a\\b\\";
  StripDirectory(path);
  EXPECT_EQ(path, "b\\") << "a separator in the last byte is not taken";
}

TEST_F(PathsTest, ExtensionIsSearchedInTheLastComponentOnly) {
  std::string out = "unchanged";
  EXPECT_EQ(ChangeExt(out, "dir.v2\\name", "stg4"), 0);
  EXPECT_EQ(out, "dir.v2\\name");
  EXPECT_EQ(ChangeExt(out, "dir\\a.b.txt", "dat"), 1);
  EXPECT_EQ(out, "dir\\a.b.dat");
  EXPECT_EQ(ChangeExt(out, out, std::nullopt), 1);
  EXPECT_EQ(out, "dir\\a.b");

  std::string ext = "none";
  EXPECT_EQ(GetExt(ext, "dir.x\\file"), 0);
  EXPECT_EQ(ext, "none");
  EXPECT_EQ(GetExt(ext, "file.stg4_001"), 1);
  EXPECT_EQ(ext, "stg4_001");

  std::string path = "a.txt";
  EXPECT_EQ(RemoveExt(path), 1);
  EXPECT_EQ(path, "a");
  EXPECT_EQ(RemoveExt(path), 0);
}

TEST_F(PathsTest, NumberedNameGoesBeforeTheExtension) {
  std::string name = "rpl4\\play.rpl4";
  EXPECT_EQ(MakeNumberedName(name, name, 3), 1);
  EXPECT_EQ(name, "rpl4\\play (3).rpl4");
  EXPECT_EQ(MakeNumberedName(name, "noext", 3), 0);
}

TEST_F(PathsTest, FullAndRelativePathsFollowTheWorkingFolder) {
  std::string path = "Report_Game.txt";
  ASSERT_EQ(MakeFullPath(path), 1);
  EXPECT_EQ(path, WorkingFolder() + "/Report_Game.txt");
  const std::string absolute = path;
  ASSERT_EQ(MakeFullPath(path), 1);
  EXPECT_EQ(path, absolute);

  path = WorkingFolder() + "/stage\\a.stg4";
  ASSERT_EQ(MakeRelativePath(path), 1);
  EXPECT_EQ(path, ".\\stage\\a.stg4");
  ASSERT_EQ(MakeRelativePath(path), 1);
  EXPECT_EQ(path, ".\\stage\\a.stg4");

  path = std::filesystem::path(WorkingFolder()).parent_path().string() + "/other/b.stg4";
  ASSERT_EQ(MakeRelativePath(path), 1);
  EXPECT_EQ(path, "..\\other\\b.stg4");
}

// Real folders differ by letter case on this system: a folder spelled in
// other case is another folder, reached through "..".
TEST_F(PathsTest, RelativePathsCompareFoldersExactly) {
  const std::filesystem::path working = WorkingFolder();
  std::string otherCase = working.filename().string();
  for (char& c : otherCase) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string path = (working.parent_path() / otherCase).string() + "/b.stg4";
  ASSERT_EQ(MakeRelativePath(path), 1);
  EXPECT_EQ(path, "..\\" + otherCase + "\\b.stg4");
}

TEST_F(PathsTest, LastNumberedFileIsTheHighestThatExists) {
  std::filesystem::create_directory("stage");
  for (const char* name : {"stage/x.stg4_007", "stage/X.STG4_012", "stage/x.stg4_12", "stage/y_005"})
    WriteBytes(name, {});
  std::string found = "stage\\x.stg4";
  EXPECT_EQ(FindLastNumberedFile(found, found, "stg4"), 1);
  EXPECT_EQ(found, "stage\\x.stg4_012");

  std::string none = "unchanged";
  EXPECT_EQ(FindLastNumberedFile(none, "stage\\z.stg4", "stg4"), 0);
  EXPECT_EQ(none, "unchanged");
  EXPECT_EQ(FindLastNumberedFile(none, "STAGE\\y", "stg4"), 1) << "a name without extension is the base";
  EXPECT_EQ(none, "STAGE\\y_005");
}

// "ア" is 0x83 0x41 and "ヂ" 0x83 0x61: their trail bytes are the letters 'A'
// and 'a', yet they are different characters.
TEST_F(PathsTest, CaseIsIgnoredOnlyInSingleByteCharacters) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase("Stage\\\x95\x5C.BMP", "stage\\\x95\x5C.bmp"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\x83\x41.bmp", "\x83\x61.bmp"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("ab", "abc"));

  std::filesystem::create_directory("stage");
  WriteBytes(std::filesystem::path("stage") / "ヂ.stg4_001", {});
  std::string found = "unchanged";
  EXPECT_EQ(FindLastNumberedFile(found, "stage\\\x83\x41.stg4", "stg4"), 0);
  EXPECT_EQ(found, "unchanged");
  EXPECT_EQ(FindLastNumberedFile(found, "STAGE\\\x83\x61.STG4", "stg4"), 1);
  EXPECT_EQ(found, "STAGE\\\x83\x61.stg4_001");
}

}  // namespace
