#pragma once
// A streaming Ogg Vorbis player: one music voice of the mixer, decoded with
// libvorbisfile on a producer thread a fifth of a second ahead of the audio
// callback, never a whole file at once. Its operations are the ones the BGM
// player needs: open, play, stop, reset, loop count, volume; releasing is
// the destructor. Main thread.

#include <filesystem>
#include <memory>
#include <string>

namespace platform {

class OggPlayer {
 public:
  // Loops until stopped.
  static constexpr int kEndless = 0x7fffffff;

  OggPlayer();
  ~OggPlayer();
  OggPlayer(const OggPlayer&) = delete;
  OggPlayer& operator=(const OggPlayer&) = delete;

  // Opens a file in place of the current one, stopped at its start with
  // volume 1 and no repeats; false (nothing open) when it cannot be read or
  // is not a playable Ogg Vorbis file. `damage`, when given, then says what
  // is wrong with a file that was read; it stays empty for one that could
  // not be (a missing file).
  bool Open(const std::filesystem::path& file, std::string* damage = nullptr);
  // Plays from where it stopped (the start after Open or Reset).
  void Play();
  // Stops where it is.
  void Stop();
  // Back to the start, with the loop count given last.
  void Reset();
  // How often the track repeats after its first play: 0 plays it once.
  void SetLoopCount(int count);
  // 0.0 to 1.0.
  void SetVolume(float volume);
  // True while it plays and has not reached its end.
  bool IsPlaying() const;

 private:
  class Decoder;
  std::unique_ptr<Decoder> m_decoder;
};

}  // namespace platform
