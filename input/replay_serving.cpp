#include "input/replay_serving.h"

#include "foundation/message_box.h"
#include "input/replay_file.h"
#include "input/replay_name.h"

std::string g_strReplayFile;

bool LoadChosenReplay(const std::string& storedPath) {
  if (!ReadReplayFile(g_Replay, storedPath, g_Stage, g_PlayStage, g_SaveData)) {
    ErrorBoxF(Cp932Literal("リプレイファイル %s の読み込みに失敗しました！"), storedPath.c_str());
    return false;
  }
  g_strReplayFile = storedPath;
  return true;
}

std::optional<std::string> ProposeReplayFileName() {
  std::string name;
  if (!MakeReplayFileName(name, g_Stage.FilePath, platform::LocalNow())) return std::nullopt;
  return name;
}

bool SaveChosenReplay(const std::string& storedPath, bool previousAttempt) {
  cReplay& replay = previousAttempt ? g_ReplayPrev : g_Replay;
  cSaveData& snapshot = previousAttempt ? g_ReplaySaveDataPrev : g_ReplaySaveData;
  if (!WriteReplayFile(replay, storedPath, g_Stage, g_PlayStage, snapshot)) {
    ErrorBoxF(Cp932Literal("リプレイファイル %s の保存に失敗しました！"), storedPath.c_str());
    return false;
  }
  return true;
}
