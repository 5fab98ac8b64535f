#include "tests/desktop/sound_server.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <fstream>

#include "tests/desktop/desktop_waits.h"
#include "tests/support/unix_socket.h"
#include "tests/support/wait_until.h"

namespace fs = std::filesystem;

namespace desktop_test {
namespace {

// The null sink, which every client plays into, and its monitor.
constexpr const char* kSink = "game_out";
constexpr const char* kSinkModule = "--load=module-null-sink sink_name=game_out";
constexpr const char* kMonitor = "--device=game_out.monitor";

fs::path FreshFolder() {
  static std::atomic<int> count{0};
  const fs::path folder = fs::temp_directory_path() /
                          ("sound_server_" + std::to_string(::getpid()) + "_" + std::to_string(count++));
  fs::remove_all(folder);
  fs::create_directories(folder / "home");
  // The runtime folder is the user's own, as a login gives it.
  fs::create_directories(folder / "runtime");
  fs::permissions(folder / "runtime", fs::perms::owner_all);
  // Read by a client instead of the system's ALSA configuration: no device.
  std::ofstream(folder / "alsa.conf");
  std::ofstream(folder / "client.conf") << "autospawn = no\n";
  return folder;
}

fs::path Socket(const fs::path& folder) { return folder / "runtime" / "native"; }

bool Answers(const fs::path& socketPath) {
  const int socket = ConnectToUnixSocket(socketPath);
  if (socket < 0) return false;
  ::close(socket);
  return true;
}

bool Silent(const std::vector<float>& samples, std::size_t frame) {
  for (std::size_t i = frame * kRecordChannels; i < (frame + 1) * kRecordChannels; ++i)
    if (samples[i] != 0.0f) return false;
  return true;
}

}  // namespace

SoundServer::SoundServer() : folder_(FreshFolder()) {}

SoundServer::~SoundServer() {
  Stop();
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

bool SoundServer::Start() {
  if (!ProgramInPath("pulseaudio") || !ProgramInPath("parecord")) {
    problem_ =
        "pulseaudio or parecord is missing (Debian packages pulseaudio, pulseaudio-utils; ./deps.sh installs "
        "them)";
    return false;
  }
  // No configuration read, no session bus, no X11: the modules are these.
  // The protocol comes last, so that a server that answers has its sink.
  daemon_ = std::make_unique<SpawnedProgram>(SpawnedProgram::Setup{
      .command = {"pulseaudio", "--daemonize=no", "-n", "--system=no", "--use-pid-file=no",
                  "--exit-idle-time=-1", "--realtime=no", "--high-priority=no", "--log-target=stderr",
                  "--log-level=error", kSinkModule, "--load=module-always-sink",
                  "--load=module-native-protocol-unix auth-anonymous=1 socket=" + Socket(folder_).string()},
      .folder = folder_,
      .environment = {{"HOME", (folder_ / "home").string()},
                      {"XDG_RUNTIME_DIR", (folder_ / "runtime").string()},
                      {"XDG_CONFIG_HOME", (folder_ / "home" / ".config").string()},
                      {"DISPLAY", std::nullopt},
                      {"WAYLAND_DISPLAY", std::nullopt},
                      {"DBUS_SESSION_BUS_ADDRESS", std::nullopt},
                      {"PULSE_SERVER", std::nullopt}},
      .descriptor3 = -1});
  const bool answers = WaitUntilWithin(kEventWaitMs, kPollMs,
                                       [&] { return Answers(Socket(folder_)) || daemon_->EndsWithin(0); }) &&
                       Answers(Socket(folder_));
  if (!answers) problem_ = "the sound server did not start: " + daemon_->Stderr();
  return answers;
}

bool SoundServer::Stop() {
  if (!daemon_) return true;
  daemon_->Signal(SIGTERM);
  daemon_->Signal(SIGCONT);  // a paused server takes the termination too
  const bool ended = daemon_->EndsWithin(kProgramEndWaitMs);
  daemon_.reset();
  return ended;
}

bool SoundServer::Pause(bool paused) const {
  if (!daemon_) return false;
  daemon_->Signal(paused ? SIGSTOP : SIGCONT);
  return true;
}

bool SoundServer::SuspendSink(bool suspended) const {
  SpawnedProgram pactl(SpawnedProgram::Setup{.command = {"pactl", "suspend-sink", kSink, suspended ? "1" : "0"},
                                             .folder = folder_,
                                             .environment = ClientEnvironment(),
                                             .descriptor3 = -1});
  return pactl.EndsWithin(kProgramEndWaitMs) && pactl.ExitCode() == 0;
}

SpawnedProgram::Setup::Environment SoundServer::ClientEnvironment() const {
  return {{"PULSE_SERVER", "unix:" + Socket(folder_).string()},
          {"PULSE_CLIENTCONFIG", (folder_ / "client.conf").string()},
          {"PIPEWIRE_REMOTE", std::nullopt},
          {"SDL_AUDIODRIVER", std::nullopt},
          {"ALSA_CONFIG_PATH", (folder_ / "alsa.conf").string()}};
}

std::vector<float> SoundServer::Record(double seconds) const {
  const std::size_t wanted = std::size_t(seconds * kRecordRate) * kRecordChannels;
  MonitorRecording recording(*this);
  if (!WaitUntilWithin(kEventWaitMs + int(seconds * 1000), kPollMs,
                       [&] { return recording.Samples().size() >= wanted; }))
    return {};
  std::vector<float> samples = recording.Samples();
  samples.resize(wanted);
  return samples;
}

MonitorRecording::MonitorRecording(const SoundServer& server) {
  static std::atomic<int> count{0};
  file_ = server.folder_ / ("monitor_" + std::to_string(count++) + ".raw");
  recorder_ = std::make_unique<SpawnedProgram>(SpawnedProgram::Setup{
      .command = {"parecord", "--raw", kMonitor, "--format=float32le",
                  "--rate=" + std::to_string(kRecordRate), "--channels=" + std::to_string(kRecordChannels),
                  "--latency-msec=50", file_.string()},
      .folder = server.folder_,
      .environment = server.ClientEnvironment(),
      .descriptor3 = -1});
}

MonitorRecording::~MonitorRecording() {
  recorder_->Signal(SIGTERM);
  recorder_->EndsWithin(kProgramEndWaitMs);
  recorder_.reset();
  std::error_code ignored;
  fs::remove(file_, ignored);
}

const std::vector<float>& MonitorRecording::Samples() {
  constexpr std::uintmax_t kFrameBytes = sizeof(float) * kRecordChannels;
  std::error_code missing;
  const std::uintmax_t size = fs::file_size(file_, missing);
  if (missing || size / kFrameBytes * kFrameBytes <= read_) return samples_;
  const std::uintmax_t whole = size / kFrameBytes * kFrameBytes;
  std::ifstream in(file_, std::ios::binary);
  in.seekg(std::streamoff(read_));
  const std::size_t from = samples_.size();
  samples_.resize(from + std::size_t(whole - read_) / sizeof(float));
  in.read(reinterpret_cast<char*>(samples_.data() + from), std::streamsize(whole - read_));
  read_ = whole;
  return samples_;
}

float Loudness(const std::vector<float>& samples, std::size_t from, std::size_t to) {
  to = std::min(to, samples.size() / kRecordChannels);
  if (from >= to) return 0.0f;
  double sum = 0.0;
  for (std::size_t i = from * kRecordChannels; i < to * kRecordChannels; ++i)
    sum += double(samples[i]) * samples[i];
  return float(std::sqrt(sum / double((to - from) * kRecordChannels)));
}

std::optional<std::size_t> FirstHeardFrame(const std::vector<float>& samples, std::size_t windowFrames) {
  const std::size_t frames = samples.size() / kRecordChannels;
  for (std::size_t from = 0; from + windowFrames <= frames; from += windowFrames / 4)
    if (Loudness(samples, from, from + windowFrames) >= kHeardLoudness) return from;
  return std::nullopt;
}

std::size_t FirstSoundingFrame(const std::vector<float>& samples, std::size_t from) {
  const std::size_t frames = samples.size() / kRecordChannels;
  while (from < frames && Silent(samples, from)) ++from;
  return from;
}

std::vector<FrameSpan> Silences(const std::vector<float>& samples, std::size_t minFrames) {
  const std::size_t frames = samples.size() / kRecordChannels;
  std::vector<FrameSpan> silences;
  for (std::size_t frame = 0; frame < frames;) {
    const std::size_t sounding = FirstSoundingFrame(samples, frame);
    if (sounding - frame >= minFrames) silences.push_back({frame, sounding});
    frame = sounding + 1;
  }
  return silences;
}

}  // namespace desktop_test
