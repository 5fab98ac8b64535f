// Creating the project folder from the default project, and the start-up folders.

#include "project/default_data.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "project/data_paths.h"
#include "tests/project/project_test_support.h"
#include "tests/support/file_modes.h"

namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& text) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DefaultData : public GameFolderTest {
 protected:
  void MakeDefaultProject() {
    WriteText("default/System.dat", "system");
    WriteText("default/database/Bgm.dat", "bgm");
    fs::create_directories("default/stg4/old_ver");
  }
};

TEST_F(DefaultData, ExistingDataFolderNeedsNoQuestion) {
  fs::create_directory("data");
  MakeDefaultProject();
  EXPECT_EQ(CreateDefaultData(), 1);
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
  EXPECT_FALSE(fs::exists("data/System.dat"));
}

TEST_F(DefaultData, YesCopiesTheWholeDefaultProject) {
  MakeDefaultProject();
  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  EXPECT_EQ(CreateDefaultData(), 1);
  EXPECT_EQ(ReadText("data/System.dat"), "system");
  EXPECT_EQ(ReadText("data/database/Bgm.dat"), "bgm");
  EXPECT_TRUE(fs::is_directory("data/stg4/old_ver"));
  std::vector<platform::ShownBox> boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "データが存在しません！デフォルトデータを作成しますか？\n");
  EXPECT_EQ(boxes[0].caption, "デフォルトデータ作成の確認");
  EXPECT_EQ(boxes[0].type & platform::kBoxButtonsMask, platform::kBoxYesNo);
}

TEST_F(DefaultData, NoCreatesNothing) {
  MakeDefaultProject();
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  EXPECT_EQ(CreateDefaultData(), 0);
  EXPECT_FALSE(fs::exists("data"));
}

TEST_F(DefaultData, WithoutEitherFolderNothingIsAsked) {
  EXPECT_EQ(CreateDefaultData(), 0);
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
}

TEST_F(DefaultData, FailedCopyRemovesOnlyWhatItMade) {
  MakeDefaultProject();
  ASSERT_EQ(mkfifo("default/database/zz_pipe", 0600), 0);
  EXPECT_EQ(CreateDefaultData(), 0);
  EXPECT_FALSE(fs::exists("data"));
  EXPECT_TRUE(fs::exists("default/database/Bgm.dat"));
}

TEST_F(DefaultData, DataThatIsAFileIsNeverDeleted) {
  MakeDefaultProject();
  WriteText("data", "not a folder");
  EXPECT_EQ(CreateDefaultData(), 0);
  EXPECT_EQ(ReadText("data"), "not a folder");
}

// The copy of the default project and the start-up folders are new files
// and folders of the user's: they get what the umask leaves of 0666 and
// 0777, not the default project's modes.
TEST_F(DefaultData, TheCopyAndTheStartupFoldersGetWhatTheUmaskLeaves) {
  MakeDefaultProject();
  fs::permissions("default/System.dat", fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions("default/database/Bgm.dat", fs::perms::owner_read | fs::perms::owner_write |
                                                  fs::perms::group_read | fs::perms::others_read);
  for (const mode_t mask : {mode_t{077}, mode_t{002}}) {
    SCOPED_TRACE(mask);
    fs::remove_all("data");
    fs::remove_all("user_data");
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    {
      const ScopedUmask umask(mask);
      ASSERT_EQ(CreateDefaultData(), 1);
      CreateStartupFolders();
    }
    const int file = static_cast<int>(0666 & ~mask);
    const int folder = static_cast<int>(0777 & ~mask);
    EXPECT_EQ(ModeOf("data/System.dat"), file);
    EXPECT_EQ(ModeOf("data/database/Bgm.dat"), file);
    EXPECT_EQ(ModeOf("data/stg4/old_ver"), folder);
    EXPECT_EQ(ModeOf("user_data"), folder);
    EXPECT_EQ(ModeOf("user_data/rpl4"), folder);
  }
  platform::TakeHeadlessBoxes();
}

TEST_F(DefaultData, StartupFoldersAreMadeAndExistingOnesReusedInAnyCase) {
  fs::create_directory("User_Data");
  CreateStartupFolders();
  for (std::string_view folder : g_FolderList)
    EXPECT_TRUE(fs::is_directory(ResolveGamePath(folder))) << folder;
  EXPECT_FALSE(fs::exists("user_data"));
  EXPECT_TRUE(fs::is_directory("User_Data/rpl4"));
  EXPECT_TRUE(fs::is_directory("data/stg4/old_ver"));
}

}  // namespace
