#pragma once
// What the file-selection dialog lists: the folders and the files that match
// a filter ("*.stg4_*;*.rpl4_*", letters in any case) in one folder of the
// game, folders first, each sorted by name. Names are shown as CP932; a name
// on disk that CP932 cannot hold is shown with "?" in place of what it
// cannot hold and is still opened by its real bytes.

#include <string>
#include <string_view>
#include <vector>

struct FileEntry {
  std::string shown;   // CP932, for the list and the name field
  std::string stored;  // the name as a stored path component (CP932, or the raw bytes)
  bool folder = false;
};

// True when the name matches one of the ';'-separated patterns ('*' any
// run, '?' one byte), ignoring ASCII letter case.
bool MatchesFilter(std::string_view name, std::string_view patterns);

// The entries of the folder that the stored path names (relative to the
// game folder, "" for the game folder itself); empty when it cannot be read.
std::vector<FileEntry> ListGameFolder(std::string_view storedFolder, std::string_view patterns);

// The stored path of the folder, without a trailing separator, split at '\'
// and '/' on character boundaries.
std::vector<std::string> SplitStoredPath(std::string_view storedPath);
// The parts joined with '\' (a trailing separator after a folder when asked).
std::string JoinStoredPath(const std::vector<std::string>& parts, bool trailingSeparator);
