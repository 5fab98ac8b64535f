#pragma once
// The few file-system services the game needs beyond reading a path: folder
// listings (for case-insensitive lookups and numbered files), whole-file reads
// that check every step, and folder creation (atomic replacement of a file is
// platform/file_replacement.h).
// Paths are native (UTF-8 on Linux); game code reaches them through
// foundation/game_files.h, which maps the stored CP932 paths onto them.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// Names of the entries of a folder ("." and ".." left out), sorted bytewise;
// nullopt when the folder cannot be read.
std::optional<std::vector<std::string>> ListDirectory(const std::filesystem::path& folder);

// True when something (file, folder, link target) exists at the path.
bool PathExists(const std::filesystem::path& path);

// The whole content of a regular file; false (out emptied) when it cannot be
// opened or a read fails.
bool ReadFileBytes(const std::filesystem::path& path, std::vector<unsigned char>& out);

// Writes all the bytes to the descriptor, going on after short writes and
// interruptions; false (errno set) when a write fails.
bool WriteAllBytes(int fd, std::span<const unsigned char> bytes);

// Creates one folder level, with what the umask leaves of 0777 as any
// program's new folder; true when the folder exists afterwards.
bool CreateFolder(const std::filesystem::path& folder);

}  // namespace platform
