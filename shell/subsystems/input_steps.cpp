// Input and replay steps of the shell: key repeat, key configuration and
// devices, the frame's input poll, replay files, the dialogs' keyboard hook.
#include "input/input_record.h"
#include "input/input_startup.h"
#include "input/key_hook.h"
#include "input/key_polling.h"
#include "input/replay_requests.h"
#include "input/replay_serving.h"
#include "shell/game/game.h"
#include "shell/requests/game_requests.h"
#include "shell/subsystems/subsystem_steps.h"

void SetKeyRepeatStep() { SetInputKeyRepeat(); }
void StartInputStep() {
  StartInput();
  SetReplayRequestHooks({[] { return g_Game.m_nTitleCmd == TC_REPLAY; },
                         [](int attempt) { return RequestFileDialog(WM_GAME_SAVEREPLAY, static_cast<std::uintptr_t>(attempt)); },
                         [] { return RequestFileDialog(WM_GAME_LOADREPLAY); }});
}
void StopInputStep() { StopInput(); }
void PollInputStep() { PollInput(g_Inputs); }
bool ReadReplayStep(const std::string& path) { return LoadChosenReplay(path); }
std::optional<std::string> MakeReplayFileNameStep() { return ProposeReplayFileName(); }
bool WriteReplayStep(const std::string& path, bool previousAttempt) { return SaveChosenReplay(path, previousAttempt); }
void UnhookKeyboardStep() { cHook::Unhook(); }
