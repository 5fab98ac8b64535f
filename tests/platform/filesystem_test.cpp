#include "platform/filesystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "platform/file_replacement.h"
#include "tests/support/file_modes.h"

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
  EXPECT_EQ(errno, EISDIR) << "the failure says why";
  EXPECT_FALSE(platform::WriteFileAtomic(folder_ / "missing" / "x", bytes));
  EXPECT_EQ(errno, ENOENT);
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
    // The name by which a later save finds a temporary left behind.
    const std::string name = replacement->TemporaryPath().filename().string();
    EXPECT_EQ(name.size(), std::string(".data.dat.tmp-XXXXXX").size());
    EXPECT_EQ(name.rfind(".data.dat.tmp-", 0), 0u) << name;
  }
  EXPECT_EQ(platform::ListDirectory(folder_), (std::vector<std::string>{"data.dat"}));
  std::ofstream(folder_ / "file") << "x";
  EXPECT_FALSE(platform::FileReplacement::Begin(folder_ / "file" / "x.dat")) << "a file is no folder";
  EXPECT_FALSE(platform::FileReplacement::Begin(folder_ / "missing" / "x.dat"));
}

// New saves and folders get what the umask leaves of 0666 and 0777, as any
// program's files: under 077 no one else reads a save, under 002 a group
// shares the folder. A replaced save keeps its mode, whatever the umask.
TEST_F(FilesystemTest, NewFilesAndFoldersGetWhatTheUmaskLeaves) {
  const std::vector<unsigned char> bytes = {'n'};
  for (const mode_t mask : {mode_t{077}, mode_t{002}}) {
    SCOPED_TRACE(mask);
    const fs::path file = folder_ / ("Save" + std::to_string(mask) + ".dat");
    const fs::path kept = folder_ / ("Kept" + std::to_string(mask) + ".dat");
    const fs::path folder = folder_ / ("folder" + std::to_string(mask));
    ASSERT_TRUE(WriteOldSave(kept, 0640));
    {
      const ScopedUmask umask(mask);
      ASSERT_TRUE(platform::WriteFileAtomic(file, bytes));
      ASSERT_TRUE(platform::WriteFileAtomic(kept, bytes));
      ASSERT_TRUE(platform::CreateFolder(folder));
    }
    EXPECT_EQ(ModeOf(file), static_cast<int>(0666 & ~mask));
    EXPECT_EQ(ModeOf(kept), 0640);
    EXPECT_EQ(ModeOf(folder), static_cast<int>(0777 & ~mask));
    {
      const ScopedUmask umask(mask);
      ASSERT_TRUE(platform::WriteFileAtomic(file, bytes));
    }
    EXPECT_EQ(ModeOf(file), static_cast<int>(0666 & ~mask)) << "a replaced save";
  }
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
