#pragma once
// Helpers of the tests of the modes that saved files and folders get: a umask
// set for one scope, a path's mode, and the check that a test runs where the
// launcher test_without_mode_changes refuses every mode change.

#include <sys/types.h>

#include <filesystem>

// The environment variable in which test_without_mode_changes names the
// error (as a number) that it makes every mode change fail with.
inline constexpr const char* kModeChangeRefusalVariable = "TEST_MODE_CHANGES_FAIL_WITH";

// Sets the process's umask for the object's life and restores the one before.
// The umask is the whole process's: a test sets it only while no other thread
// of its own creates files.
class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask);
  ~ScopedUmask();
  ScopedUmask(const ScopedUmask&) = delete;
  ScopedUmask& operator=(const ScopedUmask&) = delete;

 private:
  mode_t previous_;
};

// The permission bits of the file or folder (07777 of its mode); -1 when it
// cannot be read.
int ModeOf(const std::filesystem::path& path);

// Writes a file that an earlier save could have left, with the mode given
// (as created, the umask cleared for it), so that saving over it asks the
// file system to give the new file that mode.
bool WriteOldSave(const std::filesystem::path& file, mode_t mode);

// True when the process runs as its launcher says: under
// test_without_mode_changes (which names its refusal in the environment) a
// mode change of a file in `folder` must fail with that error; without the
// launcher there is nothing to check.
bool ModeChangesFailAsTheLauncherSays(const std::filesystem::path& folder);
