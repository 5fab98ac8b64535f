#include "platform/folder_copy.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace platform {
namespace fs = std::filesystem;

namespace {

// Remembers what the copy made so that a failure can take it back, newest first.
class CreatedEntries {
 public:
  void Add(const fs::path& path) { paths_.push_back(path); }
  void RemoveAll() {
    std::error_code ignored;
    for (auto it = paths_.rbegin(); it != paths_.rend(); ++it) fs::remove(*it, ignored);
    paths_.clear();
  }

 private:
  std::vector<fs::path> paths_;
};

std::vector<fs::directory_entry> SortedEntries(const fs::path& folder, std::error_code& error) {
  std::vector<fs::directory_entry> entries;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    entries.push_back(*it);
  std::sort(entries.begin(), entries.end(),
            [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
  return entries;
}

bool CopyInto(const fs::path& source, const fs::path& destination, CreatedEntries& created) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(destination, error))) return false;
  if (!fs::create_directory(destination, error) || error) return false;
  created.Add(destination);

  std::vector<fs::directory_entry> entries = SortedEntries(source, error);
  if (error) return false;
  for (const fs::directory_entry& entry : entries) {
    fs::path target = destination / entry.path().filename();
    fs::file_status status = entry.status(error);
    if (error) return false;
    if (fs::is_directory(status)) {
      if (!CopyInto(entry.path(), target, created)) return false;
    } else if (fs::is_regular_file(status)) {
      if (!fs::copy_file(entry.path(), target, fs::copy_options::none, error) || error) {
        // A partly written target may exist even though the copy failed.
        std::error_code probe;
        if (fs::exists(fs::symlink_status(target, probe))) created.Add(target);
        return false;
      }
      created.Add(target);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

bool CopyFolderTree(const fs::path& source, const fs::path& destination) {
  std::error_code error;
  if (!fs::is_directory(source, error)) return false;
  CreatedEntries created;
  if (CopyInto(source, destination, created)) return true;
  created.RemoveAll();
  return false;
}

}  // namespace platform
