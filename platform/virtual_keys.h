#pragma once
// Keys by the codes the game's key configuration stores: the Windows
// virtual-key codes (37 Left, 38 Up, 39 Right, 40 Down, 65..90 the letters,
// 112.. F1..). Key configuration files made on Windows and those made here are
// the same bytes only if both speak these codes, so every key the player reads
// is named by one of them, and one table maps the keys that SDL reports
// (scancodes, the USB usage numbers of their positions) to the codes and back.
//
// Letters are keys by their label, as Windows names them: 'Z' is the key the
// keyboard layout prints Z on, wherever it lies (right of T on a German
// keyboard, right of A on a French one), so "Z to jump" and a configured 'Z'
// mean the key the player reads Z on; a key with a letter gives only that
// letter, also where a US keyboard has punctuation. A letter that the layout
// prints on no key (Cyrillic and Greek layouts print their own letters) stays
// on its key of a US keyboard, so such a keyboard plays as a US one. Every
// other key is taken by its position, whatever the layout prints on it: digits,
// punctuation keys with the codes a US layout gives the key at that position,
// the keys that only Japanese keyboards have (the yen key, the "ro" key,
// conversion and non-conversion) with the codes a Japanese layout gives them.
// The generic Shift, Ctrl and Alt codes (16, 17, 18) stand for both keys of the
// pair, as a Windows key-down message names them; the sided codes (160..165)
// stand for one key each.

#include <array>
#include <functional>
#include <span>
#include <vector>

namespace platform {

// Codes run from 1 to 255; 0 is no key.
inline constexpr int kVirtualKeyCount = 256;
// SDL's scancodes run from 0 to 511.
inline constexpr int kScancodeCount = 512;

// The letter ('A'..'Z') a keyboard layout prints on each key, by scancode;
// 0 for a key without a Latin letter.
struct LayoutLetters {
  std::array<char, kScancodeCount> atScancode{};
  bool operator==(const LayoutLetters&) const = default;
};

// A US keyboard's: each letter on the key at its own scancode.
LayoutLetters UsLayoutLetters();
// The letters of a layout that `characterOf` describes: the character the
// unshifted key at a scancode types, as a Unicode code point (SDL's keycode
// of a key that types a character is that character). Only the keys where a
// layout prints letters are asked about: the letter and punctuation keys.
LayoutLetters ReadLayoutLetters(const std::function<int(int scancode)>& characterOf);

class VirtualKeyTable {
 public:
  // The table for a keyboard layout's letters, the US one's by default.
  explicit VirtualKeyTable(const LayoutLetters& letters = UsLayoutLetters());

  // The code of the key at an SDL scancode; 0 for a scancode no code stands
  // for, as a letter's US key that the layout gives no letter while that
  // letter lies elsewhere (a French keyboard's comma key, where US has M).
  int VirtualKeyOfScancode(int scancode) const;
  // The scancodes of the keys a code stands for (two for the generic Shift,
  // Ctrl and Alt, and for keys that appear twice, such as Enter); empty for a
  // code without a key.
  std::span<const int> ScancodesOfVirtualKey(int virtualKey) const;

 private:
  std::array<int, kScancodeCount> keyOfScancode_{};
  std::array<std::vector<int>, kVirtualKeyCount> scancodesOfKey_;
};

}  // namespace platform
