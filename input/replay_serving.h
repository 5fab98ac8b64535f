#pragma once
// The main thread's side of the replay requests: after the open dialog the
// chosen replay is read into the replay, the stage, its working copy and the
// save data; before the save dialog a name is proposed; after it the replay
// of the current or the previous attempt is written with the save data of
// its start. A file that cannot be read or written is a message, not the end
// of the program: the title stays, or play goes on.

#include <optional>
#include <string>

// The replay file chosen last; the stage set-up reads it again for every
// round of the playback.
extern std::string g_strReplayFile;

// Reads the chosen file into g_Replay, g_Stage, g_PlayStage and g_SaveData;
// false after the message when it cannot be read.
bool LoadChosenReplay(const std::string& storedPath);
// The proposed name for the loaded stage at the local time; none when no
// stage was loaded.
std::optional<std::string> ProposeReplayFileName();
// Writes g_Replay with g_ReplaySaveData, or g_ReplayPrev with
// g_ReplaySaveDataPrev; false after the message when it cannot be written.
bool SaveChosenReplay(const std::string& storedPath, bool previousAttempt);
