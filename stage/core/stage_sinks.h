#pragma once
// What the stage hands to the outside world while it plays: sound requests,
// music requests, the labels of the debug log and the held state of the
// special keys (Space pauses, F1-F3 save replays and register rankings).
// The program routes them to the sound thread, the debug log and the
// keyboard; a harness replaces them to record or to script them.

#include <functional>
#include <string>

enum class SpecialKey : int { Space = 0, F1 = 1, F2 = 2, F3 = 3 };

struct StageSinks {
  std::function<void(int)> sound;                 // system sound number
  std::function<void(int bgm, int loop)> music;   // stage music request (0 stops)
  std::function<void(const std::string&)> debugLog;
  std::function<bool(SpecialKey)> keyHeld;
};

// The sinks in force; defaults go to the sound requests, DebugLog and the
// keyboard's asynchronous state.
StageSinks& ActiveStageSinks();
// Restores the program's own sinks.
void ResetStageSinks();

void RequestStageSound(int number);
// The stage's one music request: the play's save data hold the number and
// the loop flag first, for the stage end to carry the music into the next
// stage, then the sink serves it.
void RequestStageMusic(int bgm, int loop);
void StageDebugLog(const std::string& text);
bool IsSpecialKeyHeld(SpecialKey key);
