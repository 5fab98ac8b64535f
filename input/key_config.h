#pragma once
// The key configuration: which key or joystick control stands for each of the
// four directions and eight buttons, kept in "user_data\KeyConfig.dat". The
// file is the record's 108 bytes as they lie in memory, written by a separate
// configuration tool; the player only reads it. Keys are stored as Windows
// virtual-key codes (platform/virtual_keys.h), so files move between systems
// unchanged.
//
// While the record's flag is 0 the player ignores the entries and polls its
// fixed layout (arrows, Z X C V A S D F, joystick 0); otherwise it polls the
// entries (input/input_record.h, PollKeyConfig).

#include <cstdint>
#include <string_view>

// Device number of a keyboard entry; numbers below the joystick count name a
// joystick.
inline constexpr std::uint32_t kKeyboardDevice = 8;

// Joystick entry codes that test an axis instead of buttons.
inline constexpr std::uint16_t kJoyXLow = 256;
inline constexpr std::uint16_t kJoyXHigh = 512;
inline constexpr std::uint16_t kJoyYLow = 1024;
inline constexpr std::uint16_t kJoyYHigh = 2048;

struct KEYASSIGN {
  std::uint32_t device;    // kKeyboardDevice, or a joystick number
  std::uint16_t code;      // virtual-key code; for a joystick an axis code or button mask
  std::uint16_t reserved;  // 0
};

// Entries 0..3 are left, right, up, down; entries 4..11 buttons 0..7.
inline constexpr int kKeyAssignCount = 12;

struct KEYCONFIG {
  KEYASSIGN assign[kKeyAssignCount];
  std::uint32_t entryCount;     // entries in use (12)
  std::uint32_t joystickCount;  // joysticks to read (1)
  std::uint32_t useConfig;      // 0: the fixed layout; otherwise these entries
};
static_assert(sizeof(KEYASSIGN) == 8 && sizeof(KEYCONFIG) == 108, "KeyConfig.dat is this record's bytes");

extern KEYCONFIG g_KeyConfig;

// Reads the file into the record: 1 when it opened, 0 when it did not (the
// record is then unchanged). A longer file gives its first 108 bytes; a
// shorter one fills the record as far as it goes and leaves the rest 0.
int LoadKeyConfig(std::string_view storedPath, KEYCONFIG& config);
// The defaults: keyboard entries Left, Right, Up, Down, Z, X, C, V, A, S, D,
// F; 12 entries; 1 joystick; the fixed layout.
void SetDefaultKeyConfig(KEYCONFIG& config);
