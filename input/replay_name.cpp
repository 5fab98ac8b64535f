#include "input/replay_name.h"

#include <filesystem>
#include <system_error>

#include "definitions/save_data/save_data.h"
#include "foundation/game_files.h"
#include "foundation/paths.h"
#include "foundation/record_stream.h"
#include "foundation/text_format.h"

namespace {

constexpr int kLastNumber = 999;

bool Exists(const std::string& storedPath) {
  std::error_code error;
  return std::filesystem::exists(ResolveGamePath(storedPath), error);
}

}  // namespace

std::string ReplayFileExtension() {
  std::string extension;
  Format(extension, "rpl4_%u", kProgramDataVersion);
  return extension;
}

int MakeReplayFileName(std::string& out, std::string_view stageFile, const platform::LocalDateTime& now) {
  out.clear();
  if (stageFile.empty()) return 0;
  std::string name(stageFile);
  StripDirectory(name);
  // The stage's own extension goes before the code is added, so that the
  // code stays in the name.
  RemoveExt(name);
  AppendStageCode(name, g_SaveData.m_nStageCode1, g_SaveData.m_nStageCode2, g_SaveData.m_nStageCode3);
  std::string path;
  Format(path, "user_data\\rpl4\\%s__%04d__%02d_%02d__%02d_%02d.%s", name.c_str(), now.year, now.month, now.day,
         now.hour, now.minute, ReplayFileExtension().c_str());
  std::string candidate = path;
  for (int number = 2; number <= kLastNumber && Exists(candidate); ++number) MakeNumberedName(candidate, path, number);
  out = candidate;
  return 1;
}
