#include "foundation/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "foundation/game_files.h"
#include "foundation/sjis.h"
#include "platform/filesystem.h"
#include "platform/text_encoding.h"

namespace {

constexpr bool IsSeparator(char c) { return c == '\\' || c == '/'; }

constexpr char ToLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Position just after the last real separator (0 when there is none).
std::size_t FileNameStart(std::string_view path) {
  std::size_t start = 0;
  sjis::ForEachChar(path, [&](std::size_t pos, std::size_t length) {
    if (length == 1 && IsSeparator(path[pos])) start = pos + 1;
  });
  return start;
}

// Position of the extension's dot in the last component.
std::optional<std::size_t> ExtensionDot(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < FileNameStart(path)) return std::nullopt;
  return dot;
}

std::optional<std::string> WorkingFolderCp932() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  if (error) return std::nullopt;
  return platform::TryCp932FromUtf8(folder.string());
}

bool IsAbsolute(std::string_view path) { return !path.empty() && IsSeparator(path.front()); }

// The number of "<name>_ddd" (three digits, letters in any case), or nullopt.
std::optional<int> NumberedSuffix(std::string_view entry, std::string_view name) {
  if (entry.size() != name.size() + 4 || entry[name.size()] != '_' ||
      !EqualsIgnoringAsciiCase(entry.substr(0, name.size()), name))
    return std::nullopt;
  int number = 0;
  for (char digit : entry.substr(name.size() + 1)) {
    if (digit < '0' || digit > '9') return std::nullopt;
    number = number * 10 + (digit - '0');
  }
  return number;
}

}  // namespace

SplitPath SplitStoredPath(std::string_view path) {
  SplitPath split;
  split.absolute = IsAbsolute(path);
  std::size_t start = 0;
  auto take = [&](std::size_t end) {
    if (end > start) split.components.push_back(path.substr(start, end - start));
  };
  sjis::ForEachChar(path, [&](std::size_t pos, std::size_t length) {
    if (length == 1 && IsSeparator(path[pos])) {
      take(pos);
      start = pos + 1;
    }
  });
  take(path.size());
  return split;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  bool equal = true;
  // Lead bytes are never letters, so equal texts pair their bytes alike.
  sjis::ForEachChar(a, [&](std::size_t pos, std::size_t length) {
    if (length == 2)
      equal = equal && a.substr(pos, 2) == b.substr(pos, 2);
    else
      equal = equal && ToLowerAscii(a[pos]) == ToLowerAscii(b[pos]);
  });
  return equal;
}

bool Utf8EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return ToLowerAscii(x) == ToLowerAscii(y); });
}

int MakeRelativePath(std::string& path) {
  if (!IsAbsolute(path)) return 1;
  const auto folder = WorkingFolderCp932();
  if (!folder) return 0;
  const SplitPath from = SplitStoredPath(*folder);
  const SplitPath to = SplitStoredPath(path);
  // Real folders: on this system names that differ in case are other folders.
  std::size_t common = 0;
  while (common < from.components.size() && common < to.components.size() &&
         from.components[common] == to.components[common])
    ++common;
  std::string relative = common == from.components.size() ? "." : "";
  for (std::size_t i = common; i < from.components.size(); ++i) relative += relative.empty() ? ".." : "\\..";
  for (std::size_t i = common; i < to.components.size(); ++i) {
    relative += '\\';
    relative += to.components[i];
  }
  path = std::move(relative);
  return 1;
}

int MakeFullPath(std::string& path) {
  if (IsAbsolute(path)) return 1;
  auto folder = WorkingFolderCp932();
  if (!folder) return 0;
  if (folder->empty() || !IsSeparator(folder->back())) *folder += '/';
  path = *folder + path;
  return 1;
}

void StripDirectory(std::string& path) {
  if (path.size() < 2) return;
  std::optional<std::size_t> start;
  sjis::ForEachChar(path, [&](std::size_t pos, std::size_t length) {
    if (length == 1 && IsSeparator(path[pos]) && pos + 1 < path.size()) start = pos + 1;
  });
  if (start) path.erase(0, *start);
}

int ChangeExt(std::string& destination, std::string_view source, std::optional<std::string_view> newExtension) {
  const auto dot = ExtensionDot(source);
  if (!dot) {
    destination.assign(source);
    return 0;
  }
  std::string changed(source.substr(0, newExtension ? *dot + 1 : *dot));
  if (newExtension) changed += *newExtension;
  destination = std::move(changed);
  return 1;
}

int RemoveExt(std::string& path) {
  const auto dot = ExtensionDot(path);
  if (!dot) return 0;
  path.erase(*dot);
  return 1;
}

int GetExt(std::string& destination, std::string_view path) {
  const auto dot = ExtensionDot(path);
  if (!dot) return 0;
  destination.assign(path.substr(*dot + 1));
  return 1;
}

int MakeNumberedName(std::string& destination, std::string_view path, int number) {
  const auto dot = ExtensionDot(path);
  if (!dot) return 0;
  destination = std::string(path.substr(0, *dot)) + " (" + std::to_string(number) + ")" +
                std::string(path.substr(*dot));
  return 1;
}

int FindLastNumberedFile(std::string& destination, std::string_view path, std::string_view extension) {
  std::string base;
  ChangeExt(base, path, extension);
  const std::size_t nameStart = FileNameStart(base);
  const std::string_view name = std::string_view(base).substr(nameStart);
  const auto entries = platform::ListDirectory(ResolveGamePath(std::string_view(base).substr(0, nameStart)));
  if (!entries) return 0;
  std::optional<int> highest;
  for (const std::string& entry : *entries) {
    const std::string stored = platform::TryCp932FromUtf8(entry).value_or(entry);
    const auto number = NumberedSuffix(stored, name);
    if (number && (!highest || *number > *highest)) highest = number;
  }
  if (!highest) return 0;
  const char digits[] = {static_cast<char>('0' + *highest / 100), static_cast<char>('0' + *highest / 10 % 10),
                         static_cast<char>('0' + *highest % 10)};
  destination = base + "_" + std::string(digits, 3);
  return 1;
}
