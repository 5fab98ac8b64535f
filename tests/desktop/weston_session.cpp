#include "tests/desktop/weston_session.h"

#include <signal.h>
#include <sys/un.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <vector>

#include "tests/desktop/desktop_waits.h"
#include "tests/support/wait_until.h"

namespace fs = std::filesystem;

namespace desktop_test {
namespace {

// A new folder (mode 0700, as a runtime folder must be) whose socket path
// fits: under the temporary folder where it does, else under /tmp; empty
// when none could be made.
fs::path ShortFolderFor(const std::string& socketName) {
  std::error_code noTemporaryFolder;
  const fs::path temporary = fs::temp_directory_path(noTemporaryFolder);
  for (const fs::path& parent : {temporary, fs::path("/tmp")}) {
    if (parent.empty()) continue;
    std::string pattern = (parent / "wl-XXXXXX").string();
    if (pattern.size() + 1 + socketName.size() >= sizeof(sockaddr_un::sun_path)) continue;
    if (::mkdtemp(pattern.data())) return pattern;
  }
  return {};
}

constexpr const char* kCursorTheme = "unseen";

// An X cursor file with one image: an arrow of 2x2 pixels, all transparent.
void WriteUnseenArrow(const fs::path& cursors) {
  constexpr std::uint32_t kMagic = 0x72756358;  // "Xcur"
  constexpr std::uint32_t kVersion = 0x10000;
  constexpr std::uint32_t kEntries = 1;
  constexpr std::uint32_t kImageType = 0xfffd0002;
  constexpr std::uint32_t kImageVersion = 1;
  constexpr std::uint32_t kNominalSize = 24;
  constexpr std::uint32_t kFileHeader = 16;
  constexpr std::uint32_t kTableEntry = 12;
  constexpr std::uint32_t kImageHeader = 36;
  constexpr std::uint32_t kSide = 2;
  const std::vector<std::uint32_t> header = {kMagic, kFileHeader, kVersion, kEntries};
  const std::vector<std::uint32_t> table = {kImageType, kNominalSize, kFileHeader + kTableEntry};
  // Its size, its hot spot (0, 0) and the time it shows (0: always).
  const std::vector<std::uint32_t> image = {
      kImageHeader, kImageType, kNominalSize, kImageVersion, kSide, kSide, 0, 0, 0};
  const std::vector<std::uint32_t> pixels(kSide * kSide, 0);
  fs::create_directories(cursors);
  std::ofstream file(cursors / "left_ptr", std::ios::binary);
  // Little-endian, as the format has it.
  for (const std::vector<std::uint32_t>* part : {&header, &table, &image, &pixels})
    for (std::uint32_t word : *part)
      for (int byte = 0; byte < 4; ++byte) file.put(static_cast<char>(word >> (8 * byte)));
}

}  // namespace

WestonSession::WestonSession(const std::string& xDisplay, const WestonOutput& output)
    : folder_(ShortFolderFor(kSocket)) {
  if (folder_.empty() || !Installed()) return;
  // No panel: a window as large as the output is placed at its corner.
  const fs::path settings = folder_ / "weston.ini";
  std::ofstream(settings) << "[shell]\npanel-position=none\n";
  WriteUnseenArrow(folder_ / kCursorTheme / "cursors");
  weston_ = std::make_unique<SpawnedProgram>(SpawnedProgram::Setup{
      .command = {"weston", "--backend=x11-backend.so", "--use-pixman", "--socket=" + kSocket,
                  "--idle-time=0", "--config=" + settings.string(), "--width=" + std::to_string(output.width),
                  "--height=" + std::to_string(output.height), "--scale=" + std::to_string(output.scale)},
      .folder = folder_,
      .environment = {{"DISPLAY", xDisplay},
                      {"WAYLAND_DISPLAY", std::nullopt},
                      {"XDG_RUNTIME_DIR", folder_.string()},
                      {"HOME", folder_.string()}},
      .descriptor3 = -1});
  ready_ = WaitUntilWithin(kEventWaitMs, kPollMs,
                           [&] { return fs::exists(Socket()) || weston_->EndsWithin(0); }) &&
           fs::exists(Socket());
}

WestonSession::~WestonSession() {
  if (weston_) {
    // A stopped compositor takes its end only once it goes on.
    weston_->Signal(SIGCONT);
    End();
  }
  std::error_code ignored;
  if (!folder_.empty()) fs::remove_all(folder_, ignored);
}

std::string WestonSession::Problem() const {
  if (folder_.empty()) return "no folder for weston's socket could be made";
  if (!weston_) return kMissing;
  return "weston did not start: " + weston_->Stderr();
}

SpawnedProgram::Setup::Environment WestonSession::PlayerEnvironment() const {
  return {{"DISPLAY", std::nullopt},          {"WAYLAND_DISPLAY", Socket()},
          {"SDL_VIDEODRIVER", "wayland"},     {"SDL_RENDER_DRIVER", "software"},
          {"XCURSOR_PATH", folder_.string()}, {"XCURSOR_THEME", kCursorTheme}};
}

void WestonSession::Stop() const { weston_->Signal(SIGSTOP); }

void WestonSession::End() {
  weston_->Signal(SIGTERM);
  weston_->EndsWithin(kProgramEndWaitMs);
}

void WestonSession::Kill() {
  weston_->Signal(SIGKILL);
  weston_->EndsWithin(kProgramEndWaitMs);
}

}  // namespace desktop_test
