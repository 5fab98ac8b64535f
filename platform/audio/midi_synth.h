#pragma once
// The General MIDI synthesiser that MIDI music is rendered with: FluidSynth
// (loaded with the first synthesiser) with the General MIDI sound font that
// Debian installs. It renders into the
// mixer's format at the mixer's rate. Without a sound font it still takes
// every message and renders silence, so songs keep their timing.
//
// The synthesiser is shared; its own lock serialises every call.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace platform {

class MidiSynth {
 public:
  // The synthesiser for the mixer's rate; loading the sound font costs a
  // moment, so one is made when first needed and shared.
  static std::shared_ptr<MidiSynth> Shared(int rate);

  ~MidiSynth();
  MidiSynth(const MidiSynth&) = delete;
  MidiSynth& operator=(const MidiSynth&) = delete;

  // The sound font a synthesiser loads: the first one installed; empty when
  // there is none.
  static std::string SoundFontFile();

  // The sound font in use; empty when none was found.
  const std::string& SoundFont() const { return m_soundFont; }

  // A channel message: status | data1 << 8 | data2 << 16. System messages
  // (status 0xF0 and above) are ignored.
  void ShortMessage(std::uint32_t message);
  // A system exclusive message as it is sent: F0, the data, F7.
  void SystemExclusive(std::span<const std::uint8_t> message);
  // Stereo float frames, added to nothing: `out` is overwritten.
  void Render(float* out, std::size_t frames);
  // Every sound off and every controller back to its default.
  void Reset();

 private:
  struct Impl;
  explicit MidiSynth(int rate);
  std::unique_ptr<Impl> m_impl;
  int m_rate;
  std::string m_soundFont;
};

}  // namespace platform
