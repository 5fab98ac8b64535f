// The scancode table behind platform/virtual_keys.h.
#include <SDL_scancode.h>

#include "platform/virtual_keys.h"

namespace platform {
namespace {

static_assert(kScancodeCount == SDL_NUM_SCANCODES);

struct KeyPosition {
  SDL_Scancode scancode;
  int virtualKey;
};

constexpr int kLetterCount = 26;

bool IsLetter(char code) { return code >= 'A' && code <= 'Z'; }

// The key a US keyboard prints a letter on: SDL numbers those keys in the
// letters' order.
int UsScancodeOf(int letterIndex) { return SDL_SCANCODE_A + letterIndex; }

// Punctuation keys and the codes of their US positions. Layouts print
// letters on some of them (a French keyboard's M lies where a US one has
// the semicolon).
constexpr KeyPosition kPunctuation[] = {
    {SDL_SCANCODE_MINUS, 189}, {SDL_SCANCODE_EQUALS, 187}, {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_RIGHTBRACKET, 221}, {SDL_SCANCODE_BACKSLASH, 220}, {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_APOSTROPHE, 222}, {SDL_SCANCODE_GRAVE, 192}, {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_PERIOD, 190}, {SDL_SCANCODE_SLASH, 191}, {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

// The other keys, by position, and the code that a Windows key-down message
// gives them.
constexpr KeyPosition kKeyPositions[] = {
    // Digits.
    {SDL_SCANCODE_1, '1'}, {SDL_SCANCODE_2, '2'}, {SDL_SCANCODE_3, '3'}, {SDL_SCANCODE_4, '4'},
    {SDL_SCANCODE_5, '5'}, {SDL_SCANCODE_6, '6'}, {SDL_SCANCODE_7, '7'}, {SDL_SCANCODE_8, '8'},
    {SDL_SCANCODE_9, '9'}, {SDL_SCANCODE_0, '0'},
    // Editing and whitespace keys.
    {SDL_SCANCODE_RETURN, 13}, {SDL_SCANCODE_ESCAPE, 27}, {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9}, {SDL_SCANCODE_SPACE, 32},
    // Locks and function keys.
    {SDL_SCANCODE_CAPSLOCK, 20}, {SDL_SCANCODE_F1, 112}, {SDL_SCANCODE_F2, 113},
    {SDL_SCANCODE_F3, 114}, {SDL_SCANCODE_F4, 115}, {SDL_SCANCODE_F5, 116}, {SDL_SCANCODE_F6, 117},
    {SDL_SCANCODE_F7, 118}, {SDL_SCANCODE_F8, 119}, {SDL_SCANCODE_F9, 120}, {SDL_SCANCODE_F10, 121},
    {SDL_SCANCODE_F11, 122}, {SDL_SCANCODE_F12, 123}, {SDL_SCANCODE_F13, 124},
    {SDL_SCANCODE_F14, 125}, {SDL_SCANCODE_F15, 126}, {SDL_SCANCODE_F16, 127},
    {SDL_SCANCODE_F17, 128}, {SDL_SCANCODE_F18, 129}, {SDL_SCANCODE_F19, 130},
    {SDL_SCANCODE_F20, 131}, {SDL_SCANCODE_F21, 132}, {SDL_SCANCODE_F22, 133},
    {SDL_SCANCODE_F23, 134}, {SDL_SCANCODE_F24, 135},
    {SDL_SCANCODE_PRINTSCREEN, 44}, {SDL_SCANCODE_SCROLLLOCK, 145}, {SDL_SCANCODE_PAUSE, 19},
    // Navigation.
    {SDL_SCANCODE_INSERT, 45}, {SDL_SCANCODE_HOME, 36}, {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_DELETE, 46}, {SDL_SCANCODE_END, 35}, {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_RIGHT, 39}, {SDL_SCANCODE_LEFT, 37}, {SDL_SCANCODE_DOWN, 40}, {SDL_SCANCODE_UP, 38},
    // Numeric keypad (its Enter is Enter, as on Windows).
    {SDL_SCANCODE_NUMLOCKCLEAR, 144}, {SDL_SCANCODE_KP_DIVIDE, 111}, {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_MINUS, 109}, {SDL_SCANCODE_KP_PLUS, 107}, {SDL_SCANCODE_KP_ENTER, 13},
    {SDL_SCANCODE_KP_1, 97}, {SDL_SCANCODE_KP_2, 98}, {SDL_SCANCODE_KP_3, 99}, {SDL_SCANCODE_KP_4, 100},
    {SDL_SCANCODE_KP_5, 101}, {SDL_SCANCODE_KP_6, 102}, {SDL_SCANCODE_KP_7, 103},
    {SDL_SCANCODE_KP_8, 104}, {SDL_SCANCODE_KP_9, 105}, {SDL_SCANCODE_KP_0, 96},
    {SDL_SCANCODE_KP_PERIOD, 110}, {SDL_SCANCODE_KP_COMMA, 108},
    // Japanese keyboard keys: "ro", yen, conversion, non-conversion.
    {SDL_SCANCODE_INTERNATIONAL1, 226}, {SDL_SCANCODE_INTERNATIONAL3, 220},
    {SDL_SCANCODE_INTERNATIONAL4, 28}, {SDL_SCANCODE_INTERNATIONAL5, 29},
    // Modifiers and system keys.
    {SDL_SCANCODE_APPLICATION, 93}, {SDL_SCANCODE_LCTRL, 17}, {SDL_SCANCODE_LSHIFT, 16},
    {SDL_SCANCODE_LALT, 18}, {SDL_SCANCODE_LGUI, 91}, {SDL_SCANCODE_RCTRL, 17},
    {SDL_SCANCODE_RSHIFT, 16}, {SDL_SCANCODE_RALT, 18}, {SDL_SCANCODE_RGUI, 92},
};

// Codes that name one key of a pair; reached only from the code side.
constexpr KeyPosition kSidedModifiers[] = {
    {SDL_SCANCODE_LSHIFT, 160}, {SDL_SCANCODE_RSHIFT, 161}, {SDL_SCANCODE_LCTRL, 162},
    {SDL_SCANCODE_RCTRL, 163},  {SDL_SCANCODE_LALT, 164},   {SDL_SCANCODE_RALT, 165},
};

}  // namespace

LayoutLetters UsLayoutLetters() {
  LayoutLetters letters;
  for (int index = 0; index < kLetterCount; ++index)
    letters.atScancode[static_cast<std::size_t>(UsScancodeOf(index))] = static_cast<char>('A' + index);
  return letters;
}

LayoutLetters ReadLayoutLetters(const std::function<int(int scancode)>& characterOf) {
  LayoutLetters letters;
  const auto read = [&](int scancode) {
    const int character = characterOf(scancode);
    if (character >= 'a' && character <= 'z')
      letters.atScancode[static_cast<std::size_t>(scancode)] = static_cast<char>('A' + (character - 'a'));
  };
  for (int index = 0; index < kLetterCount; ++index) read(UsScancodeOf(index));
  for (const KeyPosition& position : kPunctuation) read(position.scancode);
  return letters;
}

VirtualKeyTable::VirtualKeyTable(const LayoutLetters& letters) {
  for (const KeyPosition& position : kKeyPositions) keyOfScancode_[position.scancode] = position.virtualKey;
  for (const KeyPosition& position : kPunctuation) keyOfScancode_[position.scancode] = position.virtualKey;
  // A key gives the letter printed on it, in place of its position's code.
  std::array<bool, kLetterCount> printed{};
  for (std::size_t scancode = 0; scancode < letters.atScancode.size(); ++scancode) {
    const char letter = letters.atScancode[scancode];
    if (!IsLetter(letter)) continue;
    printed[static_cast<std::size_t>(letter - 'A')] = true;
    keyOfScancode_[scancode] = letter;
  }
  // A letter printed nowhere stays on its US key, unless that key has a
  // letter of its own.
  for (int index = 0; index < kLetterCount; ++index) {
    const auto scancode = static_cast<std::size_t>(UsScancodeOf(index));
    if (!printed[static_cast<std::size_t>(index)] && !IsLetter(letters.atScancode[scancode]))
      keyOfScancode_[scancode] = 'A' + index;
  }
  for (std::size_t scancode = 0; scancode < keyOfScancode_.size(); ++scancode)
    if (const int key = keyOfScancode_[scancode]; key != 0)
      scancodesOfKey_[static_cast<std::size_t>(key)].push_back(static_cast<int>(scancode));
  for (const KeyPosition& position : kSidedModifiers)
    scancodesOfKey_[static_cast<std::size_t>(position.virtualKey)].push_back(position.scancode);
}

int VirtualKeyTable::VirtualKeyOfScancode(int scancode) const {
  if (scancode < 0 || scancode >= kScancodeCount) return 0;
  return keyOfScancode_[static_cast<std::size_t>(scancode)];
}

std::span<const int> VirtualKeyTable::ScancodesOfVirtualKey(int virtualKey) const {
  if (virtualKey <= 0 || virtualKey >= kVirtualKeyCount) return {};
  return scancodesOfKey_[static_cast<std::size_t>(virtualKey)];
}

}  // namespace platform
