#include "project/default_data.h"

#include <filesystem>
#include <system_error>

#include "foundation/game_files.h"
#include "foundation/message_box.h"
#include "platform/filesystem.h"
#include "platform/folder_copy.h"
#include "project/data_paths.h"

namespace {

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

}  // namespace

int CreateDefaultData() {
  const std::filesystem::path data = ResolveGamePath(g_Paths[PATH_DATA]);
  if (IsFolder(data)) return 1;
  const std::filesystem::path source = ResolveGamePath(g_Paths[PATH_DEFAULT]);
  if (!IsFolder(source)) return 0;

  int answer = MesBox(Cp932Literal("データが存在しません！デフォルトデータを作成しますか？\n"),
                      Cp932Literal("デフォルトデータ作成の確認"), MB_YESNO);
  if (answer != IDYES) return 0;

  bool copied = platform::CopyFolderTree(source, data);
  ForgetGameFolderListings();
  return copied ? 1 : 0;
}

void CreateStartupFolders() {
  for (std::string_view folder : g_FolderList) platform::CreateFolder(ResolveGamePath(folder));
  ForgetGameFolderListings();
}
