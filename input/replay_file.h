#pragma once
// The replay file "*.rpl4_878" under user_data\rpl4\: the data version, the
// stage as it was played (the stage file's sections, with the settings of
// the working copy and the lists of the loaded stage), the replay record
// (input/replay.h) and the save data as it stood when the attempt began
// (files older than version 173 have none). A replay carries its stage, so
// it plays even when the stage file has changed or gone since.

#include <string_view>

#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "input/replay.h"

// Writes the file (atomically): 1, or 0 when it cannot be written.
int WriteReplayFile(cReplay& replay, std::string_view storedPath, cEdStage& stage, cEdStage& workingStage,
                    cSaveData& snapshot);

// Reads the file: 1, after which `stage` holds the replay's stage, `stageCopy`
// its settings with empty definition lists, `replay` the input and, for files
// from version 173 on, `saveData` the snapshot. 0 when the file cannot be
// opened, is newer than this program (g_bFileNewer), is damaged or holds a
// stage without a hero; nothing is changed then.
int ReadReplayFile(cReplay& replay, std::string_view storedPath, cEdStage& stage, cEdStage& stageCopy,
                   cSaveData& saveData);
