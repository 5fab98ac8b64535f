#pragma once
// A sound server of the test's own: PulseAudio as a user's daemon (root
// too, as in CI), with its socket, runtime folder and home in a folder of
// its own and no modules but a null sink, which every client plays into,
// and the native protocol. The test hears what the player plays by
// recording the sink's monitor. Nothing starts a server on demand, so one
// that was stopped stays away until the test starts it again, at the same
// socket, as a desktop's sound server restarts.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/spawned_program.h"

namespace desktop_test {

// Recordings are interleaved stereo float at this rate.
inline constexpr int kRecordRate = 44100;
inline constexpr int kRecordChannels = 2;

class SoundServer {
 public:
  // Not started yet.
  SoundServer();
  // Stops the server and removes its folder.
  ~SoundServer();
  SoundServer(const SoundServer&) = delete;
  SoundServer& operator=(const SoundServer&) = delete;

  // Starts the server; true once it answers at its socket, else Problem()
  // says why (a missing program names its package).
  bool Start();
  // Ends it as `pulseaudio -k` does, and waits for the end.
  bool Stop();
  // Stops the server's process (true), as a server that hangs holds its
  // clients, or lets it go on.
  bool Pause(bool paused) const;
  // Suspends the sink (true) or resumes it, as a program that reserves the
  // card does: the server runs on, but its clients' streams take no more.
  bool SuspendSink(bool suspended) const;
  const std::string& Problem() const { return problem_; }

  // What a client of this server has in its environment: the server's
  // socket, no server started on demand, SDL's drivers tried in their own
  // order, and no ALSA device of the machine's own, so that this server
  // is the only sound device a client finds.
  SpawnedProgram::Setup::Environment ClientEnvironment() const;
  // The sink's monitor over the next `seconds`; empty when the recording
  // did not come.
  std::vector<float> Record(double seconds) const;

 private:
  friend class MonitorRecording;
  std::filesystem::path folder_;
  std::string problem_;
  std::unique_ptr<SpawnedProgram> daemon_;
};

// The sink's monitor recorded from now until the recording ends with its
// object (or with the server).
class MonitorRecording {
 public:
  explicit MonitorRecording(const SoundServer& server);
  ~MonitorRecording();
  MonitorRecording(const MonitorRecording&) = delete;
  MonitorRecording& operator=(const MonitorRecording&) = delete;

  // The samples recorded so far, whole frames.
  const std::vector<float>& Samples();

 private:
  std::filesystem::path file_;
  std::unique_ptr<SpawnedProgram> recorder_;
  std::vector<float> samples_;
  std::uintmax_t read_ = 0;
};

// Music at -40 dBFS (the sample game's title plays at about -26 dBFS); the
// null sink's monitor of nothing is exact zeros.
inline constexpr float kHeardLoudness = 0.01f;

// The root mean square of the samples of frames [from, to).
float Loudness(const std::vector<float>& samples, std::size_t from, std::size_t to);
// The first frame of the first stretch of `windowFrames` frames at least
// kHeardLoudness loud; nothing when none is.
std::optional<std::size_t> FirstHeardFrame(const std::vector<float>& samples, std::size_t windowFrames);
// The first frame from `from` on that is not silent (exact zeros), or the
// number of frames when none is.
std::size_t FirstSoundingFrame(const std::vector<float>& samples, std::size_t from);

// Frames [from, to).
struct FrameSpan {
  std::size_t from = 0;
  std::size_t to = 0;
};
// The stretches of exact silence at least `minFrames` long. Music on the
// null sink never falls to exact zeros while it sounds: within a song they
// are where the player fell silent, or was late for the server (starved
// of the processor), which the server fills with silence.
std::vector<FrameSpan> Silences(const std::vector<float>& samples, std::size_t minFrames);

}  // namespace desktop_test
