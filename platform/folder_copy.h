#pragma once
// Recursive copy of a folder tree that can be taken back: when any part of the
// copy fails, everything the copy itself created is removed again, and nothing
// that existed before is touched.

#include <filesystem>

namespace platform {

// Copies `source` (a folder) with all its files and subfolders to
// `destination`, which is created. Returns false, with every file and folder
// made by this call removed again, when the destination exists already, when
// an entry is neither a regular file nor a folder, or when anything cannot be
// read or written. Entries are copied in name order.
bool CopyFolderTree(const std::filesystem::path& source, const std::filesystem::path& destination);

}  // namespace platform
