#include "input/key_polling.h"

#include <algorithm>

#include "input/key_config.h"

namespace {

constexpr int kFixedLayoutButtons[kButtonCount] = {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
// Entries 0 to 3 of the key configuration are Left, Right, Up and Down.
constexpr int kDirectionEntries = 4;

// Reads joystick `number` unless it is known to be missing and not yet due
// for another try; a failed read marks it missing for two seconds of frames.
bool ReadWatchedJoystick(JoystickWatch& watch, int number, int framesPerSecond,
                         platform::JoystickReading& reading) {
  if (watch.missing && watch.retry > 0) {
    --watch.retry;
    return false;
  }
  if (!platform::ReadJoystick(number, reading)) {
    watch.missing = 1;
    watch.retry = 2 * framesPerSecond;
    return false;
  }
  watch.missing = 0;
  return true;
}

std::uint16_t JoystickDirection(const platform::JoystickReading& joystick) {
  std::uint16_t word = 0;
  if (TestJoyAxis(joystick, kJoyXLow)) word = kDirLeft;
  else if (TestJoyAxis(joystick, kJoyXHigh)) word = kDirRight;
  if (TestJoyAxis(joystick, kJoyYLow)) word |= kDirUp;
  else if (TestJoyAxis(joystick, kJoyYHigh)) word |= kDirDown;
  return word;
}

std::uint16_t KeyboardDirection() {
  std::uint16_t word = 0;
  if (platform::IsKeyHeld(kKeyLeft)) word |= kDirLeft;
  if (platform::IsKeyHeld(kKeyRight)) word |= kDirRight;
  if (platform::IsKeyHeld(kKeyUp)) word |= kDirUp;
  if (platform::IsKeyHeld(kKeyDown)) word |= kDirDown;
  return word;
}

std::uint16_t KeyboardButtons() {
  std::uint16_t word = 0;
  for (int i = 0; i < kButtonCount; ++i)
    if (platform::IsKeyHeld(kFixedLayoutButtons[i])) word |= static_cast<std::uint16_t>(1u << i);
  return word;
}

// The joysticks of the configured layout, each read at most once a frame.
struct JoystickFrame {
  int count = 0;
  bool read[cInput::kJoystickWatches] = {};
  platform::JoystickReading reading[cInput::kJoystickWatches];
};

bool EntryHeld(const KEYASSIGN& entry, const JoystickFrame& joysticks) {
  if (entry.device == kKeyboardDevice && platform::IsKeyHeld(entry.code)) return true;
  if (entry.device >= static_cast<std::uint32_t>(joysticks.count) || !joysticks.read[entry.device]) return false;
  const platform::JoystickReading& joystick = joysticks.reading[entry.device];
  return TestJoyAxis(joystick, entry.code) || (entry.code & joystick.buttons) != 0;
}

}  // namespace

int TestJoyAxis(const platform::JoystickReading& joystick, std::uint32_t code) {
  switch (code) {
    case kJoyXLow: return joystick.x < kJoyAxisLow ? 1 : 0;
    case kJoyXHigh: return joystick.x >= kJoyAxisHigh ? 1 : 0;
    case kJoyYLow: return joystick.y < kJoyAxisLow ? 1 : 0;
    case kJoyYHigh: return joystick.y >= kJoyAxisHigh ? 1 : 0;
    default: return 0;
  }
}

int cInput::PollFixedKeys(int joystick, int mode, int framesPerSecond) {
  if (g_KeyConfig.useConfig) return 0;
  bool joystickGaveDirection = false;
  bool joystickGaveButtons = false;
  platform::JoystickReading reading;
  if (joystick >= 0 && joystick < kJoystickWatches &&
      ReadWatchedJoystick(m_Joystick[joystick], joystick, framesPerSecond, reading) && (mode & 1)) {
    m_wDir = JoystickDirection(reading);
    m_nDirCode = DirCodeOfWord(m_wDir);
    m_wButton = 0;
    for (int i = 0; i < kButtonCount; ++i)
      if (reading.buttons & m_wJoyButton[i]) m_wButton |= static_cast<std::uint16_t>(1u << i);
    joystickGaveDirection = m_wDir != 0;
    joystickGaveButtons = m_wButton != 0;
  }
  if (!(mode & 2)) return 1;
  if (!joystickGaveDirection) {
    m_wDir = KeyboardDirection();
    m_nDirCode = DirCodeOfWord(m_wDir);
  }
  if (!joystickGaveButtons) m_wButton = KeyboardButtons();
  return 1;
}

int cInput::PollKeyConfig(int players, int framesPerSecond) {
  if (!g_KeyConfig.useConfig) return 0;
  JoystickFrame joysticks;
  // Each joystick keeps its own missing mark, so one that is unplugged never
  // delays the reading of another.
  joysticks.count = static_cast<int>(std::min<std::uint32_t>(g_KeyConfig.joystickCount, kJoystickWatches));
  for (int j = 0; j < joysticks.count; ++j)
    joysticks.read[j] = ReadWatchedJoystick(m_Joystick[j], j, framesPerSecond, joysticks.reading[j]);
  // The record holds one player's block; that is the only one polled.
  if (players < 1) return 1;
  m_wDir = 0;
  m_wButton = 0;
  // The four direction entries always count; the entry count limits only
  // the buttons after them.
  for (int i = 0; i < kDirectionEntries; ++i)
    if (EntryHeld(g_KeyConfig.assign[i], joysticks)) m_wDir |= static_cast<std::uint16_t>(1u << i);
  const int entries = static_cast<int>(std::min<std::uint32_t>(g_KeyConfig.entryCount, kKeyAssignCount));
  for (int i = kDirectionEntries; i < entries; ++i)
    if (EntryHeld(g_KeyConfig.assign[i], joysticks)) m_wButton |= static_cast<std::uint16_t>(1u << (i - kDirectionEntries));
  m_nDirCode = DirCodeOfWord(m_wDir);
  return 1;
}

void PollInput(cVector<cInput>& inputs) {
  if (inputs.empty()) return;
  cInput& player = inputs[0];
  if (!g_KeyConfig.useConfig) player.PollFixedKeys(0, 3, 60);
  else player.PollKeyConfig(1, 60);
}
