#pragma once
// One player's controls, frame by frame. Polling (PollFixedKeys or
// PollKeyConfig, once per frame) fills two 16-bit words: the direction word
// (bit 1 left, 2 right, 4 up, 8 down) and the button word (bit i = button i;
// button 0 decides in menus, button 1 cancels). A replay stores nothing but
// these two words per frame, so everything the game derives from input is
// derived from them, on the live and the replayed path alike, through one
// call: UpdateFrameState (the direction code, the change history and the press
// logs).
//
// What the game knows of the past:
// - the change history: for each word a ring of the last 32 values with how
//   many frames each lasted, so GetPastState(word, n) answers "what was it n
//   frames ago";
// - the press logs: for each direction pattern and each button, the last 32
//   runs of pressed / not pressed with their lengths, newest first (matched
//   by the flows' key-input sequences);
// - for menus, key repeat (a held direction acts on its first frame, after
//   the delay and then every interval) and the button latch (a held button
//   acts once).
//
// g_Inputs holds one record, the player's; a modal sub-loop polls into a
// private copy so that the game's record stays as it was.

#include <array>
#include <cstdint>

#include "foundation/checked_vector.h"

// Direction bits and the keypad-like direction code (5 centre; left -1,
// right +1, up -3, down +3).
inline constexpr std::uint16_t kDirLeft = 1;
inline constexpr std::uint16_t kDirRight = 2;
inline constexpr std::uint16_t kDirUp = 4;
inline constexpr std::uint16_t kDirDown = 8;
inline constexpr int kDirCodeCentre = 5;
inline constexpr int kButtonCount = 8;

// One ring entry: a word's value and the frames it has lasted.
struct INPUTHISTORY {
  std::uint16_t value;
  std::uint32_t frames;
};

// One run of a press log: pressed (1) or not (0) for `frames` frames.
struct PressRun {
  std::uint32_t pressed;
  std::int32_t frames;
};

// The 32 runs of one pattern's press log, newest first.
struct PRESSHISTORY {
  static constexpr int kRuns = 32;
  std::array<PressRun, kRuns> runs{};
};

// The counts of press logs: direction words exactly 0, 1, 2, 4, 8, 5, 9, 6,
// 10 and any direction; button word exactly 0, then buttons 0..7.
inline constexpr int kDirPressLogs = 10;
inline constexpr int kButtonPressLogs = 9;

// Which word a history ring or GetPastState names.
enum InputWord : int { kWordDir = 0, kWordButton = 1 };

// Per joystick: known to be missing, and frames until it is tried again.
struct JoystickWatch {
  std::int32_t missing = 0;
  std::int32_t retry = 0;
};

class cInput {
 public:
  static constexpr int kHistoryLength = 32;
  static constexpr int kJoystickWatches = 16;

  // Both rings and indexes zero, 10 + 9 press logs of 32 zero runs, the
  // direction code centred, no joystick missing.
  void Init();
  void ClearHistory();
  void ResetPressLogs();
  // ClearHistory, ResetPressLogs, ClearDir and ClearButtons.
  void Reset();
  void ClearDir();
  void ClearButtons() { m_wButton = 0; }
  void SetKeyRepeat(std::uint32_t delay, std::uint32_t interval);
  // The fixed layout's joystick buttons: button i is joystick button i.
  void InitJoyButtons();

  // Polling (input/key_polling.cpp). The fixed layout: 0 while the key
  // configuration is in use, else 1; mode bit 1 reads the joystick, bit 2 the
  // keyboard. The configured layout: 0 while the key configuration is off,
  // else 1. A missing joystick is tried again after 2 seconds of frames.
  int PollFixedKeys(int joystick, int mode, int framesPerSecond);
  int PollKeyConfig(int players, int framesPerSecond);

  // After the frame's words are final: the direction code from the direction
  // word, then UpdateHistory and UpdatePressLogs. The one path from the
  // words to everything derived from them, live and in replays.
  void UpdateFrameState();
  void UpdateHistory();
  void UpdatePressLogs();
  // The value word k had n frames ago (n = 0: now). Past the oldest change
  // the ring holds, the oldest value.
  std::uint16_t GetPastState(int word, std::uint32_t frames) const;

  // Menus: key repeat of the direction word, and one press per hold of the
  // masked buttons (mask 0: all eight).
  void RepeatDirKeys();
  void LatchButtons(std::uint16_t mask);

  const PRESSHISTORY& DirPressLog(int index) const { return m_vDirPress[index]; }
  const PRESSHISTORY& ButtonPressLog(int index) const { return m_vButtonPress[index]; }

  std::uint16_t m_wDir = 0;
  std::uint16_t m_wButton = 0;
  // The direction word of this and earlier frames, 4 bits each, newest low.
  std::uint16_t m_wDirRepeat = 0;
  std::array<std::array<INPUTHISTORY, kHistoryLength>, 2> m_History{};
  std::array<std::uint32_t, 2> m_nHistoryIndex{};
  cVector<PRESSHISTORY> m_vDirPress;
  cVector<PRESSHISTORY> m_vButtonPress;
  std::int32_t m_nDirCode = kDirCodeCentre;
  std::uint32_t m_nRepeatH = 0;
  std::uint32_t m_nRepeatV = 0;
  std::uint32_t m_nRepeatDelay = 18;
  std::uint32_t m_nRepeatInterval = 6;
  std::int32_t m_bLatch = 0;
  std::array<std::uint16_t, kButtonCount> m_wJoyButton{};
  std::array<JoystickWatch, kJoystickWatches> m_Joystick{};
};

// The direction code of a direction word: 5, left -1, right +1, up -3, down
// +3; opposite directions cancel. Live polling and replays both use it.
int DirCodeOfWord(std::uint16_t dirWord);
// The direction code of the record's direction word.
int GetDirCode(const cInput& input);

// The players' input records; element 0 is the player.
extern cVector<cInput> g_Inputs;
