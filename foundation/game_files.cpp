#include "foundation/game_files.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "foundation/log.h"
#include "foundation/paths.h"
#include "platform/file_replacement.h"
#include "platform/filesystem.h"
#include "platform/text_encoding.h"

namespace {

// Folder listings by folder path. A name that is not found triggers one fresh
// listing before giving up, so files created since the last listing are seen.
class ListingCache {
 public:
  std::optional<std::string> FindIgnoringCase(const std::filesystem::path& folder, std::string_view utf8Name,
                                              std::string_view rawName) {
    std::lock_guard lock(mutex_);
    // Relative folders are keyed by their absolute form: the working folder may change.
    std::error_code error;
    const std::string key = std::filesystem::absolute(folder.empty() ? "." : folder, error).string();
    auto found = listings_.find(key);
    if (found != listings_.end()) {
      auto name = Match(found->second, utf8Name, rawName);
      if (name && platform::PathExists(folder / *name)) return name;
    }
    auto fresh = platform::ListDirectory(folder);
    if (!fresh) return std::nullopt;
    auto& listing = listings_[key] = std::move(*fresh);
    return Match(listing, utf8Name, rawName);
  }

  void Clear() {
    std::lock_guard lock(mutex_);
    listings_.clear();
  }

 private:
  static std::optional<std::string> Match(const std::vector<std::string>& names, std::string_view utf8Name,
                                          std::string_view rawName) {
    for (const std::string& name : names)
      if (Utf8EqualsIgnoringAsciiCase(name, utf8Name)) return name;
    for (const std::string& name : names)
      if (EqualsIgnoringAsciiCase(name, rawName)) return name;
    return std::nullopt;
  }

  std::mutex mutex_;
  std::map<std::string, std::vector<std::string>> listings_;
};

ListingCache& Listings() {
  static ListingCache cache;
  return cache;
}

// Why the resolved folder lies outside the game folder (a symbolic link on
// the way leads out); nullptr when it is inside.
const char* FolderOutsideGameFolder(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::path gameFolder =
      std::filesystem::canonical(std::filesystem::current_path(error), error);
  if (error) return "the game folder cannot be resolved";
  const std::filesystem::path real =
      std::filesystem::weakly_canonical(std::filesystem::absolute(folder, error), error);
  if (error) return "its folder cannot be resolved";
  const auto [gameEnd, folderEnd] =
      std::mismatch(gameFolder.begin(), gameFolder.end(), real.begin(), real.end());
  if (gameEnd != gameFolder.end()) return "the path leads out through a symbolic link";
  return nullptr;
}

// Why the stored path, resolved to `resolved`, leads out of the game folder
// (to the resolved path's folder when `resolvedIsFolder` is false); nullptr
// when it stays inside.
const char* WayOutOfGameFolder(std::string_view storedPath, const std::filesystem::path& resolved,
                               bool resolvedIsFolder) {
  const SplitPath split = SplitStoredPath(storedPath);
  if (split.absolute) return "the path is absolute";
  int depth = 0;
  for (std::string_view component : split.components) {
    if (component == "..") {
      if (--depth < 0) return "the path climbs out with \"..\"";
    } else if (component != ".") {
      ++depth;
    }
  }
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(resolved, error);
  if (error) return "its folder cannot be resolved";
  return FolderOutsideGameFolder(resolvedIsFolder ? absolute : absolute.parent_path());
}

}  // namespace

std::filesystem::path ResolveGamePath(std::string_view storedCp932Path) {
  const SplitPath split = SplitStoredPath(storedCp932Path);
  std::filesystem::path resolved = split.absolute ? std::filesystem::path("/") : std::filesystem::path();
  bool folderExists = true;
  for (std::string_view component : split.components) {
    const std::string raw(component);
    const std::string utf8 = platform::TryUtf8FromCp932(component).value_or(raw);
    if (!folderExists || component == "." || component == "..") {
      resolved /= utf8;
      continue;
    }
    if (platform::PathExists(resolved / utf8)) {
      resolved /= utf8;
    } else if (raw != utf8 && platform::PathExists(resolved / raw)) {
      resolved /= raw;
    } else if (auto name = Listings().FindIgnoringCase(resolved, utf8, raw)) {
      resolved /= *name;
    } else {
      resolved /= utf8;
      folderExists = false;
    }
  }
  return resolved;
}

std::optional<std::filesystem::path> ResolveGamePathForWrite(std::string_view storedCp932Path) {
  std::filesystem::path resolved = ResolveGamePath(storedCp932Path);
  if (const char* reason = WayOutOfGameFolder(storedCp932Path, resolved, false)) {
    const std::string stored(storedCp932Path);
    Report("Refused to write \"%s\" outside the game folder: %s", stored.c_str(), reason);
    return std::nullopt;
  }
  return resolved;
}

std::optional<std::filesystem::path> ResolveGameFolderForWrite(std::string_view storedCp932Folder) {
  std::filesystem::path resolved = ResolveGamePath(storedCp932Folder);
  if (WayOutOfGameFolder(storedCp932Folder, resolved, true)) return std::nullopt;
  return resolved;
}

bool ReadGameFile(std::string_view storedPath, std::vector<unsigned char>& out) {
  return platform::ReadFileBytes(ResolveGamePath(storedPath), out);
}

bool WriteGameFile(std::string_view storedPath, std::span<const unsigned char> bytes) {
  const auto target = ResolveGamePathForWrite(storedPath);
  return target && platform::WriteFileAtomic(*target, bytes);
}

void ForgetGameFolderListings() { Listings().Clear(); }
