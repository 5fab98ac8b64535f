#pragma once
// Replacing a file so that a crash or a failure never leaves it half written:
// the new content goes to a temporary file beside the target (so the final
// rename stays on one file system), is flushed to disk and is then renamed
// over the target in one step.
//
// The temporary is created when the replacement begins, so a folder that
// cannot be written is known before any content is made. A replacement that
// is dropped without a commit, or whose commit fails, removes its temporary.
// A process killed between the two steps still leaves one behind; the next
// replacement of the same target removes such stale temporaries first.
//
// A new file gets what the umask leaves of 0666, as any file a program
// creates; a replaced file keeps its mode where the file system holds modes.
// A file system that refuses the mode change (FAT, exFAT, FUSE ones) does not
// fail the save. Every failure leaves errno telling why.

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

class FileReplacement {
 public:
  // Removes the target's stale temporaries and creates a fresh one; nullopt,
  // with errno set, when the temporary cannot be created (no folder, no
  // write permission, or the target names a folder: EISDIR).
  static std::optional<FileReplacement> Begin(const std::filesystem::path& target);

  FileReplacement(FileReplacement&& other) noexcept;
  FileReplacement& operator=(FileReplacement&&) = delete;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  ~FileReplacement();

  // Writes the bytes to the temporary, flushes it and renames it over the
  // target. False on any failure, with errno set: the old target stays and
  // the temporary is removed. A replacement commits at most once.
  bool Commit(std::span<const unsigned char> bytes);

  const std::filesystem::path& TemporaryPath() const { return temporary_; }

 private:
  FileReplacement(std::filesystem::path target, std::filesystem::path temporary, int fd);
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
};

// Removes the temporaries of replacements left in the folder whose target's
// name `isOwnTarget` accepts (".<name>.tmp-" and six letters or digits), so a
// user's file that only looks like one stays. Only for a process that knows
// no other replacement of those targets is under way there (it holds the
// lock that keeps other writers out).
void RemoveLeftTemporaries(const std::filesystem::path& folder,
                           const std::function<bool(std::string_view targetName)>& isOwnTarget);

// The whole replacement at once: Begin, then Commit (false with errno set).
bool WriteFileAtomic(const std::filesystem::path& target, std::span<const unsigned char> bytes);

}  // namespace platform
