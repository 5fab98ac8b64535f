#include "platform/file_replacement.h"
#include "platform/filesystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;

class FilesystemTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "player_fs_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(FilesystemTest, ListingIsSortedWithoutDotEntries) {
  for (const char* name : {"b", "A", "c"}) std::ofstream(folder_ / name) << "x";
  EXPECT_EQ(platform::ListDirectory(folder_), (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_FALSE(platform::ListDirectory(folder_ / "missing"));
}

TEST_F(FilesystemTest, AtomicWriteReplacesAndKeepsTheMode) {
  const fs::path target = folder_ / "data.dat";
  std::ofstream(target) << "old";
  ::chmod(target.c_str(), 0600);
  const std::vector<unsigned char> bytes = {'n', 'e', 'w'};
  ASSERT_TRUE(platform::WriteFileAtomic(target, bytes));
  std::vector<unsigned char> read;
  ASSERT_TRUE(platform::ReadFileBytes(target, read));
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(platform::ListDirectory(folder_)->size(), 1u);
}

TEST_F(FilesystemTest, FailedWriteLeavesNothingBehind) {
  const fs::path target = folder_ / "sub";
  fs::create_directory(target);
  const std::vector<unsigned char> bytes = {1};
  EXPECT_FALSE(platform::WriteFileAtomic(target, bytes)) << "a folder cannot be replaced by a file";
  EXPECT_FALSE(platform::WriteFileAtomic(folder_ / "missing" / "x", bytes));
  EXPECT_EQ(platform::ListDirectory(folder_)->size(), 1u);
}

// Temporaries that a process killed mid-save left behind (complete, partial or
// empty) go when the same target is saved next; other files' stay.
TEST_F(FilesystemTest, SavingRemovesTheTargetsStaleTemporaries) {
  const fs::path target = folder_ / "Save.dat";
  std::ofstream(folder_ / ".Save.dat.tmp-a1B2c3") << "complete content";
  std::ofstream(folder_ / ".Save.dat.tmp-zzzzzz") << "part";
  std::ofstream(folder_ / ".Save.dat.tmp-000000");
  std::ofstream(folder_ / ".Other.dat.tmp-a1B2c3") << "x";
  std::ofstream(folder_ / ".Save.dat.tmp-kept-longer") << "x";
  const std::vector<unsigned char> bytes = {'n'};
  ASSERT_TRUE(platform::WriteFileAtomic(target, bytes));
  EXPECT_EQ(platform::ListDirectory(folder_),
            (std::vector<std::string>{".Other.dat.tmp-a1B2c3", ".Save.dat.tmp-kept-longer", "Save.dat"}));
}

// The temporary exists from the start of a replacement, beside the target; a
// replacement dropped without its commit takes it away again.
TEST_F(FilesystemTest, ReplacementCreatesItsTemporaryAtOnceAndDropsIt) {
  const fs::path target = folder_ / "data.dat";
  std::ofstream(target) << "old";
  {
    auto replacement = platform::FileReplacement::Begin(target);
    ASSERT_TRUE(replacement);
    EXPECT_EQ(replacement->TemporaryPath().parent_path(), folder_);
    EXPECT_TRUE(fs::exists(replacement->TemporaryPath()));
  }
  EXPECT_EQ(platform::ListDirectory(folder_), (std::vector<std::string>{"data.dat"}));
  std::ofstream(folder_ / "file") << "x";
  EXPECT_FALSE(platform::FileReplacement::Begin(folder_ / "file" / "x.dat")) << "a file is no folder";
  EXPECT_FALSE(platform::FileReplacement::Begin(folder_ / "missing" / "x.dat"));
}

TEST_F(FilesystemTest, ReadingAFolderOrMissingFileFails) {
  std::vector<unsigned char> read = {1};
  EXPECT_FALSE(platform::ReadFileBytes(folder_, read));
  EXPECT_TRUE(read.empty());
  EXPECT_FALSE(platform::ReadFileBytes(folder_ / "missing", read));
}

TEST_F(FilesystemTest, CreateFolderSucceedsWhenItExists) {
  EXPECT_TRUE(platform::CreateFolder(folder_ / "new"));
  EXPECT_TRUE(platform::CreateFolder(folder_ / "new"));
  std::ofstream(folder_ / "file") << "x";
  EXPECT_FALSE(platform::CreateFolder(folder_ / "file"));
  EXPECT_FALSE(platform::CreateFolder(folder_ / "a" / "b"));
}

}  // namespace
