#pragma once
// The game thread's side of saving and loading replays. During play F1 saves
// the replay of the current attempt and F2 that of the previous one (when
// the project records replays, input/replay_save_keys.h); the title menu's
// replay command loads one. Both ask the main thread, which runs the file
// dialog and the file work (input/replay_serving.h), and wait for it.
//
// The request itself is the shell's (a posted request and its done flag), and
// whether a replay is being played back is the game object's; the shell
// hands both in at start-up.

#include <functional>

struct ReplayRequestHooks {
  // True while a replay is being played back (nothing is saved then).
  std::function<bool()> isPlayingBack;
  // Runs the save request for the current (0) or previous (1) attempt and
  // waits for it; the request's result.
  std::function<int(int attempt)> requestSave;
  // Runs the load request and waits for it; 1 when a replay was loaded.
  std::function<int()> requestLoad;
};
// Set at start-up, before the game thread starts.
void SetReplayRequestHooks(ReplayRequestHooks hooks);
const ReplayRequestHooks& CurrentReplayRequestHooks();

// 1 when a replay was chosen and loaded.
int RequestReplayLoad();
