#include "shell/dialogs/file_listing.h"

#include <algorithm>
#include <system_error>

#include "foundation/game_files.h"
#include "foundation/sjis.h"
#include "platform/filesystem.h"
#include "platform/text_encoding.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Matches(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern.front() == '*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip)
      if (Matches(name.substr(skip), pattern.substr(1))) return true;
    return false;
  }
  if (name.empty()) return false;
  if (pattern.front() != '?' && Lower(pattern.front()) != Lower(name.front())) return false;
  return Matches(name.substr(1), pattern.substr(1));
}

bool ShownBefore(const FileEntry& a, const FileEntry& b) {
  if (a.folder != b.folder) return a.folder;
  return std::lexicographical_compare(a.shown.begin(), a.shown.end(), b.shown.begin(), b.shown.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

}  // namespace

bool MatchesFilter(std::string_view name, std::string_view patterns) {
  std::size_t start = 0;
  while (start <= patterns.size()) {
    const std::size_t end = std::min(patterns.find(';', start), patterns.size());
    const std::string_view pattern = patterns.substr(start, end - start);
    if (!pattern.empty() && Matches(name, pattern)) return true;
    start = end + 1;
  }
  return false;
}

std::vector<std::string> SplitStoredPath(std::string_view storedPath) {
  std::vector<std::string> parts;
  std::string part;
  sjis::ForEachChar(storedPath, [&](std::size_t pos, std::size_t length) {
    const char c = storedPath[pos];
    if (length == 1 && (c == '\\' || c == '/')) {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
      return;
    }
    part.append(storedPath.substr(pos, length));
  });
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

std::string JoinStoredPath(const std::vector<std::string>& parts, bool trailingSeparator) {
  std::string path;
  for (const std::string& part : parts) {
    if (!path.empty()) path += '\\';
    path += part;
  }
  if (trailingSeparator && !path.empty()) path += '\\';
  return path;
}

std::vector<FileEntry> ListGameFolder(std::string_view storedFolder, std::string_view patterns) {
  const std::filesystem::path folder = storedFolder.empty() ? std::filesystem::path(".") : ResolveGamePath(storedFolder);
  std::vector<FileEntry> entries;
  const auto names = platform::ListDirectory(folder);
  if (!names) return entries;
  for (const std::string& name : *names) {
    std::error_code error;
    const bool isFolder = std::filesystem::is_directory(folder / name, error);
    FileEntry entry;
    entry.folder = isFolder;
    if (auto cp932 = platform::TryCp932FromUtf8(name)) {
      entry.shown = entry.stored = *cp932;
    } else {
      entry.shown = platform::Cp932FromUtf8(name);
      entry.stored = name;
    }
    if (isFolder || MatchesFilter(entry.shown, patterns)) entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), ShownBefore);
  return entries;
}
