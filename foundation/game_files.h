#pragma once
// The one way from a path as game data stores it to a real file. Stored paths
// are CP932 bytes with '\' separators (a '/' also separates), any letter case,
// relative to the game folder (the working folder) unless they start with a
// separator. Each component is converted to UTF-8 and matched exactly, else
// ignoring ASCII case against a cached listing of its folder, else as its raw
// bytes; a component that exists nowhere keeps the stored spelling, so new
// files are created as the data names them.

#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

std::filesystem::path ResolveGamePath(std::string_view storedCp932Path);

// The whole file that the stored path names; false when it cannot be read.
bool ReadGameFile(std::string_view storedPath, std::vector<unsigned char>& out);

// Replaces the file that the stored path names, atomically: on failure the old
// file stays as it was. The folder must exist.
bool WriteGameFile(std::string_view storedPath, std::span<const unsigned char> bytes);

// Forgets the cached folder listings (tests that rebuild folders call it).
void ForgetGameFolderListings();
