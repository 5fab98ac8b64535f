#pragma once
// The shell's calls into subsystems that are built by later work. Start-up,
// shutdown, the frame step and the window's requests call each of them at
// its fixed place; each body lives in the file of its subsystem here
// (definitions_steps.cpp, common_palette_step.cpp, dialog_steps.cpp,
// input_steps.cpp, sound_steps.cpp, stage_steps.cpp) and is filled by the
// work that builds it, without touching the order around it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// --- Stage and action definitions (issue #11) ---
// Start-up: the command parameter table, before any data file is read.
void BuildParamTableStep();

// --- Common palette (issue #12) ---
// Start-up: "data\CommonPalette.cplt4"; false after its message.
bool LoadCommonPaletteStep();

// --- Dialogs (issue #13) ---
// Start-up, only when the Direct3D setting is 2 (ask): the remembered choice
// and the drawing-mode dialog; sets the Direct3D setting to 0 or 1. False
// when the dialog was cancelled.
bool ChooseDrawingModeStep();
// The exit question of the close path; true to quit.
bool ConfirmExitStep(int english);
// The modal dialogs of the requests (main thread, other threads suspended).
void RunNameEntryDialogStep();
std::optional<std::string> AskStageFileStep();
std::optional<std::string> AskReplayFileToOpenStep();
std::optional<std::string> AskReplayFileToSaveStep(const std::string& defaultName);

// --- Input and replay (issue #14) ---
// Start-up: the key repeat of every input record (18 frames, then every 6).
void SetKeyRepeatStep();
// Start-up: joystick buttons, the key configuration (or its defaults).
void StartInputStep();
// Shutdown: the joysticks closed, every key released.
void StopInputStep();
// Frame step: one frame of input for the player's input record.
void PollInputStep();
// Requests: the replay file chosen to open, read into the replay, the
// stages and the replay's save data; the default name of a replay to save
// (none when there is nothing to save); the replay written. A replay that
// cannot be read or written is a message (false), and the game goes on.
bool ReadReplayStep(const std::string& path);
std::optional<std::string> MakeReplayFileNameStep();
bool WriteReplayStep(const std::string& path, bool previousAttempt);
// Shutdown: the keyboard hooks of the dialogs removed.
void UnhookKeyboardStep();

// --- Sound and music (issue #15) ---
// Start-up: the title music when the options allow it, and the sound-file list.
void StartMusicStep();
// Start-up: the sound device and every sound at the options' master volume;
// false when the sound device cannot start.
bool StartSoundStep();
// Shutdown: sounds and the sound device, then the music player.
void ReleaseSoundStep();
// Close path: the music stops.
void StopMusicStep();
// Requests: one sound played once (a number outside the sound list only
// writes a report line); a screen's music (slot 4 takes the stage's music
// number).
void PlaySoundStep(std::uintptr_t number);
void PlayScreenBgmStep(std::uintptr_t slot, std::intptr_t bgmNumber);

// --- Stage play (stage runtime and screens) ---
// Starts play of a stage file with fresh progress (start-up passes 1 for the
// free-play stage, the open-stage request 0); false on failure.
bool PlayStageFileStep(const std::string& path, int fromStartup);
// Set by the screens at program start: the start of a stage file's play.
void SetPlayStageFileStep(std::function<bool(const std::string&)> play);
// Start-up: the run-time effect slots bound to the effect definitions. The
// stage runtime, which owns the slots, registers the binding before start-up.
void InitEffectSlotsStep();
void SetInitEffectSlots(void (*init)());
