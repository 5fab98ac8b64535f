#include "input/replay_file.h"

#include <optional>
#include <utility>

#include "foundation/record_stream.h"

namespace {

// The first version whose replays carry the save-data snapshot.
constexpr std::uint32_t kSnapshotSince = 173;

// The settings of `stage` without its definition lists.
void TakeSettings(cEdStage& copy, const cEdStage& stage) {
  static_cast<cEdStageSettings&>(copy) = stage;
  copy.ClearDefinitionLists();
}

}  // namespace

int WriteReplayFile(cReplay& replay, std::string_view storedPath, cEdStage& stage, cEdStage& workingStage,
                    cSaveData& snapshot) {
  std::optional<DataWriter> out = OpenWriteFile(storedPath);
  if (!out) return 0;
  stage.SaveForReplay(*out, workingStage);
  replay.Save(*out);
  snapshot.Save(*out);
  return CloseFile(*out) ? 1 : 0;
}

int ReadReplayFile(cReplay& replay, std::string_view storedPath, cEdStage& stage, cEdStage& stageCopy,
                   cSaveData& saveData) {
  auto in = OpenReadFile(storedPath);
  if (!in) return 0;
  // Values an older stage lacks keep those of the stage held before, as a
  // stage file read in place would.
  cEdStage loadedStage;
  TakeSettings(loadedStage, stage);
  loadedStage.Load(*in);
  cReplay loadedReplay;
  loadedReplay.Load(*in);
  cSaveData loadedSave(saveData);
  const bool hasSnapshot = in->Version() >= kSnapshotSince;
  if (hasSnapshot) loadedSave.Load(*in);
  if (!CloseFile(*in) || !loadedStage.HasHero()) return 0;

  stage = std::move(loadedStage);
  TakeSettings(stageCopy, stage);
  replay = std::move(loadedReplay);
  if (hasSnapshot) saveData = std::move(loadedSave);
  return 1;
}
