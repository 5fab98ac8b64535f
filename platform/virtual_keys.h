#pragma once
// Keys by the codes the game's key configuration stores: the Windows
// virtual-key codes (37 Left, 38 Up, 39 Right, 40 Down, 65..90 the letters,
// 112.. F1..). Key configuration files made on Windows and those made here are
// the same bytes only if both speak these codes, so every key the player reads
// is named by one of them, and one table maps the physical key positions that
// SDL reports (scancodes, the USB usage numbers) to the codes and back.
//
// Punctuation keys take the codes a US layout gives the key at that position;
// the keys that only Japanese keyboards have (the yen key, the "ro" key,
// conversion and non-conversion) take the codes a Japanese layout gives them.
// The generic Shift, Ctrl and Alt codes (16, 17, 18) stand for both keys of
// the pair, as a Windows key-down message names them; the sided codes
// (160..165) stand for one key each.

#include <span>

namespace platform {

// Codes run from 1 to 255; 0 is no key.
inline constexpr int kVirtualKeyCount = 256;

// The code of the key at an SDL scancode; 0 for a scancode no code stands for.
int VirtualKeyOfScancode(int scancode);

// The scancodes of the keys a code stands for (two for the generic Shift,
// Ctrl and Alt, and for keys that appear twice, such as Enter); empty for a
// code without a key.
std::span<const int> ScancodesOfVirtualKey(int virtualKey);

}  // namespace platform
