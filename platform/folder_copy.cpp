#include "platform/folder_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>
#include <vector>

#include "platform/filesystem.h"

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

// Copies the bytes of a regular file into a new file made for them, which
// gets what the umask leaves of 0666 as any new file: the copy never asks
// for a mode, which a file system without Unix modes would refuse. A failed
// copy may leave the new file partly written.
bool CopyFileBytes(const fs::path& source, const fs::path& target) {
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  bool copied = out >= 0;
  std::array<unsigned char, 64 * 1024> buffer;
  while (copied) {
    const ssize_t got = ::read(in, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      copied = got == 0;
      break;
    }
    copied = WriteAllBytes(out, std::span(buffer.data(), static_cast<std::size_t>(got)));
  }
  ::close(in);
  // close can report a deferred write error, so it is part of the copy.
  if (out >= 0 && ::close(out) != 0) copied = false;
  return copied;
}

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
      if (!CopyFileBytes(entry.path(), target)) {
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
