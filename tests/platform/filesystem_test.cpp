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
