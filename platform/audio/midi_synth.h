#pragma once
// The General MIDI synthesiser that MIDI music is rendered with: FluidSynth
// (loaded with the first synthesiser) with the sound font the user names, or
// else the system's General MIDI sound font. It renders into the mixer's
// format at the mixer's rate. Without a sound font it still takes every
// message and renders silence, so songs keep their timing.
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
  // The synthesiser for the mixer's rate with the sound font given; loading
  // the sound font costs a moment, so one is made when first needed and
  // shared, and made again only for another rate or sound font.
  static std::shared_ptr<MidiSynth> Shared(int rate, const std::string& soundFont = SoundFontFile());

  ~MidiSynth();
  MidiSynth(const MidiSynth&) = delete;
  MidiSynth& operator=(const MidiSynth&) = delete;

  // The sound font for MIDI music: the first file named in the variable
  // SDL_SOUNDFONTS (a list separated by colons, which SDL programs read for
  // this) that can be read as a sound font, else the system's General MIDI
  // sound font (default-GM.sf2, Debian's choice among those installed), else
  // TimGM6mb.sf2; empty when there is none.
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
  MidiSynth(int rate, const std::string& soundFont);
  std::unique_ptr<Impl> m_impl;
  int m_rate;
  std::string m_soundFont;
};

}  // namespace platform
