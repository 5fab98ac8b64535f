#include "platform/virtual_keys.h"

#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/input_devices.h"

namespace {

bool Contains(std::span<const int> scancodes, int scancode) {
  return std::find(scancodes.begin(), scancodes.end(), scancode) != scancodes.end();
}

// Keyboard layouts as SDL describes them: the character each unshifted
// key types, by scancode.
using Layout = std::map<int, int>;

Layout UsLayout() {
  Layout layout;
  for (int index = 0; index < 26; ++index) layout[SDL_SCANCODE_A + index] = 'a' + index;
  const std::pair<int, int> punctuation[] = {
      {SDL_SCANCODE_MINUS, '-'},     {SDL_SCANCODE_EQUALS, '='},     {SDL_SCANCODE_LEFTBRACKET, '['},
      {SDL_SCANCODE_RIGHTBRACKET, ']'}, {SDL_SCANCODE_BACKSLASH, '\\'}, {SDL_SCANCODE_SEMICOLON, ';'},
      {SDL_SCANCODE_APOSTROPHE, '\''}, {SDL_SCANCODE_GRAVE, '`'},      {SDL_SCANCODE_COMMA, ','},
      {SDL_SCANCODE_PERIOD, '.'},    {SDL_SCANCODE_SLASH, '/'},      {SDL_SCANCODE_NONUSBACKSLASH, '<'}};
  for (const auto& [scancode, character] : punctuation) layout[scancode] = character;
  for (int digit = 0; digit < 9; ++digit) layout[SDL_SCANCODE_1 + digit] = '1' + digit;
  layout[SDL_SCANCODE_0] = '0';
  return layout;
}

Layout Changed(Layout layout, std::initializer_list<std::pair<int, int>> changes) {
  for (const auto& [scancode, character] : changes) layout[scancode] = character;
  return layout;
}

// German: Z and Y change places; umlauts where US has punctuation.
Layout GermanLayout() {
  return Changed(UsLayout(), {{SDL_SCANCODE_Y, 'z'},
                              {SDL_SCANCODE_Z, 'y'},
                              {SDL_SCANCODE_SEMICOLON, 0xF6},
                              {SDL_SCANCODE_APOSTROPHE, 0xE4},
                              {SDL_SCANCODE_LEFTBRACKET, 0xFC},
                              {SDL_SCANCODE_MINUS, 0xDF}});
}

// French: A and Q, Z and W change places; M lies right of L, where US has
// the semicolon, and the key where US has M types a comma.
Layout FrenchLayout() {
  return Changed(UsLayout(), {{SDL_SCANCODE_Q, 'a'},
                              {SDL_SCANCODE_A, 'q'},
                              {SDL_SCANCODE_W, 'z'},
                              {SDL_SCANCODE_Z, 'w'},
                              {SDL_SCANCODE_SEMICOLON, 'm'},
                              {SDL_SCANCODE_M, ','},
                              {SDL_SCANCODE_COMMA, ';'},
                              {SDL_SCANCODE_PERIOD, ':'},
                              {SDL_SCANCODE_SLASH, '!'}});
}

// Russian: Cyrillic letters on every letter key and on some punctuation.
Layout RussianLayout() {
  Layout layout = UsLayout();
  for (int index = 0; index < 26; ++index) layout[SDL_SCANCODE_A + index] = 0x430 + index;
  layout[SDL_SCANCODE_SEMICOLON] = 0x436;
  layout[SDL_SCANCODE_COMMA] = 0x431;
  return layout;
}

platform::LayoutLetters LettersOf(const Layout& layout) {
  return platform::ReadLayoutLetters([&](int scancode) {
    const auto found = layout.find(scancode);
    return found == layout.end() ? 0 : found->second;
  });
}

struct NamedTable {
  const char* name;
  platform::VirtualKeyTable table;
};

const std::vector<NamedTable>& EveryLayoutsTable() {
  static const std::vector<NamedTable> tables = {{"us", platform::VirtualKeyTable()},
                                                 {"de", platform::VirtualKeyTable(LettersOf(GermanLayout()))},
                                                 {"fr", platform::VirtualKeyTable(LettersOf(FrenchLayout()))},
                                                 {"ru", platform::VirtualKeyTable(LettersOf(RussianLayout()))}};
  return tables;
}

const platform::VirtualKeyTable& UsTable() { return EveryLayoutsTable().front().table; }

TEST(VirtualKeyTable, EveryMappedScancodeIsFoundAgainFromItsCode) {
  for (const auto& [name, table] : EveryLayoutsTable()) {
    int mapped = 0;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
      const int key = table.VirtualKeyOfScancode(scancode);
      if (key == 0) continue;
      ++mapped;
      EXPECT_TRUE(Contains(table.ScancodesOfVirtualKey(key), scancode)) << name << ", scancode " << scancode;
    }
    EXPECT_GT(mapped, 100) << name;
    EXPECT_EQ(table.VirtualKeyOfScancode(-1), 0) << name;
    EXPECT_EQ(table.VirtualKeyOfScancode(SDL_NUM_SCANCODES), 0) << name;
  }
}

TEST(VirtualKeyTable, EveryCodeLeadsToKeysThatGiveItBack) {
  for (const auto& [name, table] : EveryLayoutsTable()) {
    for (int key = 1; key < platform::kVirtualKeyCount; ++key) {
      for (int scancode : table.ScancodesOfVirtualKey(key)) {
        const int back = table.VirtualKeyOfScancode(scancode);
        const bool sidedModifier = key >= 160 && key <= 165;
        if (sidedModifier) EXPECT_EQ(back, 16 + (key - 160) / 2) << name << ", code " << key;
        else EXPECT_EQ(back, key) << name << ", code " << key;
      }
    }
    EXPECT_TRUE(table.ScancodesOfVirtualKey(0).empty()) << name;
    EXPECT_TRUE(table.ScancodesOfVirtualKey(256).empty()) << name;
  }
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
  for (int key : assignable) EXPECT_FALSE(UsTable().ScancodesOfVirtualKey(key).empty()) << "code " << key;
}

TEST(VirtualKeyTable, DefaultKeysAndModifiersSitWhereWindowsPutsThem) {
  EXPECT_EQ(UsTable().VirtualKeyOfScancode(SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(UsTable().VirtualKeyOfScancode(SDL_SCANCODE_UP), 38);
  EXPECT_EQ(UsTable().VirtualKeyOfScancode(SDL_SCANCODE_RIGHT), 39);
  EXPECT_EQ(UsTable().VirtualKeyOfScancode(SDL_SCANCODE_DOWN), 40);
  EXPECT_EQ(UsTable().VirtualKeyOfScancode(SDL_SCANCODE_Z), 90);
  EXPECT_EQ(UsTable().VirtualKeyOfScancode(SDL_SCANCODE_F1), 112);
  EXPECT_EQ(UsTable().VirtualKeyOfScancode(SDL_SCANCODE_F2), 113);
  EXPECT_EQ(UsTable().VirtualKeyOfScancode(SDL_SCANCODE_KP_ENTER), 13);
  EXPECT_EQ(UsTable().VirtualKeyOfScancode(SDL_SCANCODE_RSHIFT), 16);
  const auto shift = UsTable().ScancodesOfVirtualKey(16);
  EXPECT_TRUE(Contains(shift, SDL_SCANCODE_LSHIFT) && Contains(shift, SDL_SCANCODE_RSHIFT));
  const auto rightCtrl = UsTable().ScancodesOfVirtualKey(163);
  ASSERT_EQ(rightCtrl.size(), 1u);
  EXPECT_EQ(rightCtrl[0], SDL_SCANCODE_RCTRL);
}

TEST(LayoutLetters, AreTheLatinLettersPrintedOnTheLetterAndPunctuationKeys) {
  EXPECT_EQ(LettersOf(UsLayout()), platform::UsLayoutLetters());
  const platform::LayoutLetters german = LettersOf(GermanLayout());
  EXPECT_EQ(german.atScancode[SDL_SCANCODE_Y], 'Z');
  EXPECT_EQ(german.atScancode[SDL_SCANCODE_Z], 'Y');
  EXPECT_EQ(german.atScancode[SDL_SCANCODE_SEMICOLON], 0);
  const platform::LayoutLetters french = LettersOf(FrenchLayout());
  EXPECT_EQ(french.atScancode[SDL_SCANCODE_SEMICOLON], 'M');
  EXPECT_EQ(french.atScancode[SDL_SCANCODE_M], 0);
  EXPECT_EQ(LettersOf(RussianLayout()), platform::LayoutLetters{});
  // Digits, the keypad and the other keys are not asked about.
  const platform::LayoutLetters everywhere = platform::ReadLayoutLetters([](int) { return 'a'; });
  EXPECT_EQ(std::count(everywhere.atScancode.begin(), everywhere.atScancode.end(), 'A'), 26 + 12);
  EXPECT_EQ(everywhere.atScancode[SDL_SCANCODE_1], 0);
  EXPECT_EQ(everywhere.atScancode[SDL_SCANCODE_KP_1], 0);
}

// A German or French player's Z is the key printed Z; a configured letter
// names that key too. Digits, punctuation and the other keys stay by place.
TEST(VirtualKeyTable, LettersAreTheKeysTheLayoutPrintsThemOn) {
  const platform::VirtualKeyTable german(LettersOf(GermanLayout()));
  EXPECT_EQ(german.VirtualKeyOfScancode(SDL_SCANCODE_Y), 'Z');
  EXPECT_EQ(german.VirtualKeyOfScancode(SDL_SCANCODE_Z), 'Y');
  EXPECT_EQ(std::vector<int>(german.ScancodesOfVirtualKey('Z').begin(), german.ScancodesOfVirtualKey('Z').end()),
            std::vector<int>{SDL_SCANCODE_Y});
  EXPECT_EQ(german.VirtualKeyOfScancode(SDL_SCANCODE_SEMICOLON), 186);
  EXPECT_EQ(german.VirtualKeyOfScancode(SDL_SCANCODE_MINUS), 189);

  const platform::VirtualKeyTable french(LettersOf(FrenchLayout()));
  EXPECT_EQ(french.VirtualKeyOfScancode(SDL_SCANCODE_Q), 'A');
  EXPECT_EQ(french.VirtualKeyOfScancode(SDL_SCANCODE_A), 'Q');
  EXPECT_EQ(french.VirtualKeyOfScancode(SDL_SCANCODE_W), 'Z');
  EXPECT_EQ(french.VirtualKeyOfScancode(SDL_SCANCODE_Z), 'W');
  // M is the key right of L only, and that key gives no semicolon besides.
  EXPECT_EQ(std::vector<int>(french.ScancodesOfVirtualKey('M').begin(), french.ScancodesOfVirtualKey('M').end()),
            std::vector<int>{SDL_SCANCODE_SEMICOLON});
  EXPECT_EQ(french.VirtualKeyOfScancode(SDL_SCANCODE_M), 0);
  EXPECT_TRUE(french.ScancodesOfVirtualKey(186).empty());
  EXPECT_EQ(french.VirtualKeyOfScancode(SDL_SCANCODE_COMMA), 188);
  EXPECT_EQ(french.VirtualKeyOfScancode(SDL_SCANCODE_1), '1');
  EXPECT_EQ(french.VirtualKeyOfScancode(SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(french.VirtualKeyOfScancode(SDL_SCANCODE_KP_ENTER), 13);
}

// Cyrillic or Greek letters on the keys: each Latin letter stays on its US
// key, as Windows gives those keys, so the game plays as on a US keyboard.
TEST(VirtualKeyTable, LettersALayoutDoesNotPrintStayOnTheirUsKeys) {
  const platform::VirtualKeyTable russian(LettersOf(RussianLayout()));
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode)
    EXPECT_EQ(russian.VirtualKeyOfScancode(scancode), UsTable().VirtualKeyOfScancode(scancode)) << scancode;
  // A layout that lacks only W keeps it on its US key; one that prints Q
  // where US has A and no A anywhere leaves A without a key.
  const platform::VirtualKeyTable withoutW(LettersOf(Changed(UsLayout(), {{SDL_SCANCODE_W, 0xFC}})));
  EXPECT_EQ(withoutW.VirtualKeyOfScancode(SDL_SCANCODE_W), 'W');
  const platform::VirtualKeyTable twoQ(LettersOf(Changed(UsLayout(), {{SDL_SCANCODE_A, 'q'}})));
  EXPECT_TRUE(twoQ.ScancodesOfVirtualKey('A').empty());
  EXPECT_EQ(twoQ.ScancodesOfVirtualKey('Q').size(), 2u);
  // Anything but a Latin capital in a layout's letters names no letter.
  platform::LayoutLetters odd = platform::UsLayoutLetters();
  odd.atScancode[SDL_SCANCODE_KP_1] = '!';
  odd.atScancode[SDL_SCANCODE_KP_2] = static_cast<char>(-3);
  EXPECT_EQ(platform::VirtualKeyTable(odd).VirtualKeyOfScancode(SDL_SCANCODE_KP_1), 97);
  EXPECT_EQ(platform::VirtualKeyTable(odd).VirtualKeyOfScancode(SDL_SCANCODE_KP_2), 98);
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
