#pragma once
// Fonts of a test's own: a program started with FONTCONFIG_FILE naming the
// configuration written here sees only the faces in the test's folder, not
// the machine's.

#include <filesystem>

// The Latin face the tests draw with where no Japanese face is installed
// (Debian: fonts-dejavu-core).
inline constexpr const char* kLatinFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* kLatinFontFamily = "DejaVu Sans";

// The family of the face WriteTallLineFace writes.
inline constexpr const char* kTallLineFamily = "AltGothic";

// The family of the face WriteKanaKanjiFace writes.
inline constexpr const char* kKanaKanjiFamily = "KanaKanji";

// Writes into `folder` a Japanese face that has the kana and kanji only, no
// Latin letter, digit or sign, as Droid Sans Fallback has none: IPAGothic's
// kana and kanji, cut out by fontTools (Debian: python3-fonttools), under
// the family name "KanaKanji". Returns the file; empty when it cannot be made.
std::filesystem::path WriteKanaKanjiFace(const std::filesystem::path& folder);

// Writes into `folder` a Japanese face whose line (ascent + descent) is
// 1.45 em, as Noto Sans CJK's is, with its em box where IPAGothic has it
// (its typographic metrics say so, as Noto Sans CJK's do): IPAGothic's
// glyphs under other metrics and the family name "AltGothic", which
// fontconfig lists as a family of its own. Returns the file; empty when
// the IPA font cannot be read.
std::filesystem::path WriteTallLineFace(const std::filesystem::path& folder);

// Writes fontconfig's configuration into `folder` (fonts.conf, with its
// cache beside it) that knows the fonts in `fontFolder` only. Returns the
// file.
std::filesystem::path WriteFontConfiguration(const std::filesystem::path& folder,
                                             const std::filesystem::path& fontFolder);
