#include "shell/init/save_temporaries.h"

#include <string>
#include <string_view>
#include <vector>

#include "definitions/save_data/save_slots.h"
#include "foundation/game_files.h"
#include "foundation/paths.h"
#include "input/replay_name.h"
#include "platform/file_replacement.h"
#include "project/data_paths.h"

namespace {

// A folder the player saves into (stored spelling) and the files it saves
// there: fixed names and extensions.
struct SaveFolder {
  std::string_view folder;
  std::vector<std::string> names;
  std::vector<std::string> extensions;
};

std::string FileName(std::string_view storedPath) {
  std::string name(storedPath);
  StripDirectory(name);
  return name;
}

std::vector<SaveFolder> SaveFolders() {
  const std::string ranking(g_Extensions[EXT_RANKING]);
  SaveFolder user{g_Paths[PATH_USER_DATA], {}, {}};
  for (const PathIndex path : {PATH_USER_OPTION, PATH_BOOT, PATH_WINDOW})
    user.names.push_back(FileName(g_Paths[path]));
  SaveFolder story{g_Paths[PATH_RANKING_STORY], {}, {ranking}};
  for (int slot = 0; slot < kSaveSlotCount; ++slot) story.names.push_back(FileName(MakeSaveFileName(slot)));
  SaveFolder challenge{g_Paths[PATH_RANKING_CHALLENGE], {FileName(g_Paths[PATH_CHALLENGE_SAVE])}, {ranking}};
  SaveFolder free{g_Paths[PATH_RANKING_FREE], {}, {ranking}};
  SaveFolder replays{"user_data\\rpl4", {}, {ReplayFileExtension()}};
  return {user, story, challenge, free, replays};
}

// Letters in any case: the resolver writes over a file whose name differs
// only so.
bool IsSavedThere(const SaveFolder& folder, std::string_view name) {
  for (const std::string& saved : folder.names)
    if (Utf8EqualsIgnoringAsciiCase(name, saved)) return true;
  for (const std::string& extension : folder.extensions) {
    if (name.size() <= extension.size() + 1) continue;
    const std::size_t dot = name.size() - extension.size() - 1;
    if (name[dot] == '.' && Utf8EqualsIgnoringAsciiCase(name.substr(dot + 1), extension)) return true;
  }
  return false;
}

}  // namespace

void RemoveStaleSaveTemporaries() {
  for (const SaveFolder& folder : SaveFolders()) {
    const auto resolved = ResolveGameFolderForWrite(folder.folder);
    if (!resolved) continue;
    platform::RemoveLeftTemporaries(*resolved,
                                    [&](std::string_view name) { return IsSavedThere(folder, name); });
  }
}
