#include "platform/virtual_keys.h"

#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "platform/input_devices.h"

namespace {

bool Contains(std::span<const int> scancodes, int scancode) {
  return std::find(scancodes.begin(), scancodes.end(), scancode) != scancodes.end();
}

TEST(VirtualKeyTable, EveryMappedScancodeIsFoundAgainFromItsCode) {
  int mapped = 0;
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    const int key = platform::VirtualKeyOfScancode(scancode);
    if (key == 0) continue;
    ++mapped;
    EXPECT_TRUE(Contains(platform::ScancodesOfVirtualKey(key), scancode)) << "scancode " << scancode;
  }
  EXPECT_GT(mapped, 100);
  EXPECT_EQ(platform::VirtualKeyOfScancode(-1), 0);
  EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_NUM_SCANCODES), 0);
}

TEST(VirtualKeyTable, EveryCodeLeadsToKeysThatGiveItBack) {
  for (int key = 1; key < platform::kVirtualKeyCount; ++key) {
    for (int scancode : platform::ScancodesOfVirtualKey(key)) {
      const int back = platform::VirtualKeyOfScancode(scancode);
      const bool sidedModifier = key >= 160 && key <= 165;
      if (sidedModifier) EXPECT_EQ(back, 16 + (key - 160) / 2) << "code " << key;
      else EXPECT_EQ(back, key) << "code " << key;
    }
  }
  EXPECT_TRUE(platform::ScancodesOfVirtualKey(0).empty());
  EXPECT_TRUE(platform::ScancodesOfVirtualKey(256).empty());
}

TEST(VirtualKeyTable, EveryAssignableKeyHasAPosition) {
  std::vector<int> assignable = {8,   9,   13,  16,  17,  18,  19,  20,  27,  28,  29,  32,  33,  34,  35,
                                 36,  37,  38,  39,  40,  44,  45,  46,  91,  92,  93,  106, 107, 108, 109,
                                 110, 111, 144, 145, 160, 161, 162, 163, 164, 165, 186, 187, 188, 189, 190,
                                 191, 192, 219, 220, 221, 222, 226};
  for (int key = '0'; key <= '9'; ++key) assignable.push_back(key);
  for (int key = 'A'; key <= 'Z'; ++key) assignable.push_back(key);
  for (int key = 96; key <= 105; ++key) assignable.push_back(key);   // keypad digits
  for (int key = 112; key <= 135; ++key) assignable.push_back(key);  // F1..F24
  for (int key : assignable) EXPECT_FALSE(platform::ScancodesOfVirtualKey(key).empty()) << "code " << key;
}

TEST(VirtualKeyTable, DefaultKeysAndModifiersSitWhereWindowsPutsThem) {
  EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_UP), 38);
  EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_RIGHT), 39);
  EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_DOWN), 40);
  EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_Z), 90);
  EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_F1), 112);
  EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_F2), 113);
  EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_KP_ENTER), 13);
  EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_RSHIFT), 16);
  const auto shift = platform::ScancodesOfVirtualKey(16);
  EXPECT_TRUE(Contains(shift, SDL_SCANCODE_LSHIFT) && Contains(shift, SDL_SCANCODE_RSHIFT));
  const auto rightCtrl = platform::ScancodesOfVirtualKey(163);
  ASSERT_EQ(rightCtrl.size(), 1u);
  EXPECT_EQ(rightCtrl[0], SDL_SCANCODE_RCTRL);
}

TEST(ScriptedInputDevices, KeysAndJoysticksReadBackAndIgnoreWhatIsOutOfRange) {
  platform::ReleaseAllInput();
  platform::SetKeyHeld(90, true);
  platform::SetKeyHeld(0, true);
  platform::SetKeyHeld(300, true);
  EXPECT_TRUE(platform::IsKeyHeld(90));
  EXPECT_FALSE(platform::IsKeyHeld(0));
  EXPECT_FALSE(platform::IsKeyHeld(300));
  EXPECT_FALSE(platform::IsKeyHeld(-5));

  platform::JoystickReading reading;
  EXPECT_FALSE(platform::ReadJoystick(0, reading));
  platform::SetJoystick(3, platform::JoystickReading{0, 65535, 5});
  ASSERT_TRUE(platform::ReadJoystick(3, reading));
  EXPECT_EQ(reading.x, 0u);
  EXPECT_EQ(reading.y, 65535u);
  EXPECT_EQ(reading.buttons, 5u);
  platform::SetJoystick(platform::kJoystickSlots, platform::JoystickReading{});
  EXPECT_FALSE(platform::ReadJoystick(platform::kJoystickSlots, reading));
  EXPECT_FALSE(platform::ReadJoystick(-1, reading));

  platform::ReleaseAllInput();
  EXPECT_FALSE(platform::IsKeyHeld(90));
  EXPECT_FALSE(platform::ReadJoystick(3, reading));
}

}  // namespace
