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
#include <vector>

namespace platform {

// What became of the sound fonts a synthesiser was given to try.
struct SoundFontChoice {
  // Files that FluidSynth could not load (damaged, cut short, no sound
  // font), in the order they were tried.
  std::vector<std::string> refused;
  // The one it loaded; empty when none.
  std::string used;

  bool operator==(const SoundFontChoice&) const = default;
};

class MidiSynth {
 public:
  // The synthesiser for the mixer's rate with the first of the sound fonts
  // that loads; loading a sound font costs a moment, so one is made when
  // first needed and shared, and made again only for another rate or list.
  static std::shared_ptr<MidiSynth> Shared(int rate, const std::vector<std::string>& soundFonts = SoundFontFiles());

  ~MidiSynth();
  MidiSynth(const MidiSynth&) = delete;
  MidiSynth& operator=(const MidiSynth&) = delete;

  // The sound fonts for MIDI music, in the order they are tried: the files
  // named in the variable SDL_SOUNDFONTS (a list separated by colons, which
  // SDL programs read for this), then the system's General MIDI sound font
  // (default-GM.sf2, Debian's choice among those installed), then
  // TimGM6mb.sf2. A name that is no file (missing, a folder) is passed over;
  // a file counts once FluidSynth has loaded it.
  static std::vector<std::string> SoundFontFiles();

  // The sound font in use; empty when none loaded.
  const std::string& SoundFont() const { return m_choice.used; }
  const SoundFontChoice& SoundFonts() const { return m_choice; }

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
  MidiSynth(int rate, const std::vector<std::string>& soundFonts);
  // Loads the first of the files that FluidSynth takes.
  void LoadSoundFont(const std::vector<std::string>& soundFonts);
  std::unique_ptr<Impl> m_impl;
  int m_rate;
  SoundFontChoice m_choice;
};

}  // namespace platform
