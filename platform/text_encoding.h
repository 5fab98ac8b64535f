#pragma once
// Conversion between the CP932 (Shift-JIS) bytes that game data is stored in
// and the UTF-8 that Linux file names, FreeType, SDL and our log files use.
// Game code keeps CP932 bytes in std::string and converts only at these edges.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Strict conversions: nullopt when the input holds a byte sequence that the
// other encoding cannot express.
std::optional<std::string> TryUtf8FromCp932(std::string_view cp932);
std::optional<std::string> TryCp932FromUtf8(std::string_view utf8);

// Lenient conversions for text meant for people (logs, titles, message boxes):
// an unconvertible character becomes U+FFFD / '?', the rest is kept.
std::string Utf8FromCp932(std::string_view cp932);
std::string Cp932FromUtf8(std::string_view utf8);

}  // namespace platform
