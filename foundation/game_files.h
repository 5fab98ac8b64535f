#pragma once
// The one way from a path as game data stores it to a real file. Stored paths
// are CP932 bytes with '\' separators (a '/' also separates), any letter case,
// relative to the game folder (the working folder) unless they start with a
// separator. Each component is converted to UTF-8 and matched exactly, else
// ignoring ASCII case against a cached listing of its folder, else as its raw
// bytes; a component that exists nowhere keeps the stored spelling, so new
// files are created as the data names them.

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

std::filesystem::path ResolveGamePath(std::string_view storedCp932Path);

// The file that a write to the stored path replaces. A game is untrusted data
// and its names reach save paths, so writes stay inside the game folder: a path
// that is absolute, climbs out with "..", or leads out through a symbolic link
// is refused with a report line (nullopt). Reads are not restricted.
std::optional<std::filesystem::path> ResolveGamePathForWrite(std::string_view storedCp932Path);

// The folder that the stored folder path names, when files written into it
// stay inside the game folder by the rule above; nullopt (without a report
// line) when it leads out.
std::optional<std::filesystem::path> ResolveGameFolderForWrite(std::string_view storedCp932Folder);

// The whole file that the stored path names; false when it cannot be read.
bool ReadGameFile(std::string_view storedPath, std::vector<unsigned char>& out);

// Replaces the file that the stored path names, atomically: on failure (or a
// path refused for writing) the old file stays as it was. The folder must exist.
bool WriteGameFile(std::string_view storedPath, std::span<const unsigned char> bytes);

// Forgets the cached folder listings (tests that rebuild folders call it).
void ForgetGameFolderListings();
