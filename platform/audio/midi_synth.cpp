#include "platform/audio/midi_synth.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/audio/fluid_library.h"

namespace platform {
namespace {

// Sound fonts the user names, separated by colons.
constexpr const char* kSoundFontsVariable = "SDL_SOUNDFONTS";

// The system's General MIDI sound font (Debian's alternatives link, which a
// larger font, once installed, takes over), the one the player depends on,
// and where other systems keep their default.
constexpr std::array<const char*, 3> kSystemSoundFonts = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/soundfonts/default.sf2",
};

constexpr double kGain = 0.4;

// FluidSynth prints its warnings on stderr; only errors are worth that.
void QuietFluidLog(const FluidLibrary& fluid) {
  static std::once_flag once;
  std::call_once(once, [&fluid] {
    fluid.set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid.set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid.set_log_function(FLUID_DBG, nullptr, nullptr);
  });
}

}  // namespace

struct MidiSynth::Impl {
  std::mutex mutex;
  const FluidLibrary* fluid = LoadFluidLibrary();
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
};

std::vector<std::string> MidiSynth::SoundFontFiles() {
  std::vector<std::string> files;
  if (const char* named = std::getenv(kSoundFontsVariable)) {
    std::istringstream list(named);
    for (std::string file; std::getline(list, file, ':');)
      if (!file.empty()) files.push_back(file);
  }
  files.insert(files.end(), kSystemSoundFonts.begin(), kSystemSoundFonts.end());
  return files;
}

std::shared_ptr<MidiSynth> MidiSynth::Shared(int rate, const std::vector<std::string>& soundFonts) {
  static std::mutex mutex;
  static std::shared_ptr<MidiSynth> shared;
  static int sharedRate = 0;
  static std::vector<std::string> sharedFonts;
  std::lock_guard lock(mutex);
  if (!shared || sharedRate != rate || sharedFonts != soundFonts) {
    shared.reset(new MidiSynth(rate, soundFonts));
    sharedRate = rate;
    sharedFonts = soundFonts;
  }
  return shared;
}

MidiSynth::MidiSynth(int rate, const std::vector<std::string>& soundFonts)
    : m_impl(std::make_unique<Impl>()), m_rate(rate) {
  const FluidLibrary* fluid = m_impl->fluid;
  if (!fluid) return;
  QuietFluidLog(*fluid);
  // Making the settings lists SDL's audio devices, which must not meet the
  // main thread's opening or closing of the output.
  WhileAudioOutputSteady([&] { m_impl->settings = fluid->new_settings(); });
  if (!m_impl->settings) return;
  fluid->settings_setnum(m_impl->settings, "synth.sample-rate", rate);
  // FluidSynth's default gain (0.2) leaves General MIDI songs far quieter
  // than the game's Ogg music; twice that still leaves room for dense songs.
  fluid->settings_setnum(m_impl->settings, "synth.gain", kGain);
  // The synthesiser is driven from one thread that holds its own lock.
  fluid->settings_setint(m_impl->settings, "synth.threadsafe-api", 0);
  // A song uses a few of the sound font's instruments: their samples are
  // loaded when a channel first chooses them, not the whole font up front.
  fluid->settings_setint(m_impl->settings, "synth.dynamic-sample-loading", 1);
  m_impl->synth = fluid->new_synth(m_impl->settings);
  if (m_impl->synth) LoadSoundFont(soundFonts);
}

void MidiSynth::LoadSoundFont(const std::vector<std::string>& soundFonts) {
  for (const std::string& file : soundFonts) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) continue;
    // A file cut short (a failed download) has a sound font's header all
    // the same: only FluidSynth's load tells.
    if (m_impl->fluid->sfload(m_impl->synth, file.c_str(), 1) != FLUID_FAILED) {
      m_choice.used = file;
      return;
    }
    m_choice.refused.push_back(file);
  }
}

MidiSynth::~MidiSynth() {
  if (m_impl->synth) m_impl->fluid->delete_synth(m_impl->synth);
  if (m_impl->settings) m_impl->fluid->delete_settings(m_impl->settings);
}

void MidiSynth::ShortMessage(std::uint32_t message) {
  fluid_synth_t* synth = m_impl->synth;
  if (!synth || SoundFont().empty()) return;
  const FluidLibrary& f = *m_impl->fluid;
  std::lock_guard lock(m_impl->mutex);
  const int status = int(message & 0xFF);
  const int channel = status & 0x0F;
  const int data1 = int(message >> 8) & 0x7F;
  const int data2 = int(message >> 16) & 0x7F;
  switch (status & 0xF0) {
    case 0x80: f.noteoff(synth, channel, data1); break;
    case 0x90: f.noteon(synth, channel, data1, data2); break;
    case 0xA0: f.key_pressure(synth, channel, data1, data2); break;
    case 0xB0: f.cc(synth, channel, data1, data2); break;
    case 0xC0: f.program_change(synth, channel, data1); break;
    case 0xD0: f.channel_pressure(synth, channel, data1); break;
    case 0xE0: f.pitch_bend(synth, channel, data1 | data2 << 7); break;
    default: break;
  }
}

void MidiSynth::SystemExclusive(std::span<const std::uint8_t> message) {
  if (!m_impl->synth || SoundFont().empty() || message.size() < 2 || message.front() != 0xF0) return;
  std::span<const std::uint8_t> data = message.subspan(1);
  const auto end = std::find(data.begin(), data.end(), 0xF7);
  data = data.first(std::size_t(end - data.begin()));
  std::lock_guard lock(m_impl->mutex);
  m_impl->fluid->sysex(m_impl->synth, reinterpret_cast<const char*>(data.data()), int(data.size()), nullptr,
                    nullptr, nullptr, 0);
}

void MidiSynth::Render(float* out, std::size_t frames) {
  if (!m_impl->synth || SoundFont().empty()) {
    std::fill(out, out + frames * 2, 0.0f);
    return;
  }
  std::lock_guard lock(m_impl->mutex);
  m_impl->fluid->write_float(m_impl->synth, int(frames), out, 0, 2, out, 1, 2);
}

void MidiSynth::Reset() {
  if (!m_impl->synth) return;
  std::lock_guard lock(m_impl->mutex);
  // Sounds end at once, not with their release.
  m_impl->fluid->all_sounds_off(m_impl->synth, -1);
  m_impl->fluid->system_reset(m_impl->synth);
  // The reverberation and chorus of the old sounds live on in the effects,
  // which the reset leaves as they are: render them away, so that nothing of
  // the old song is heard when playing resumes. Half a second still leaves
  // up to -70 dB, more or less by where the song was cut; a second leaves
  // nothing above -100 dB, whatever the cut.
  std::vector<float> tail(std::size_t(m_rate) * 2);  // one second, stereo
  m_impl->fluid->write_float(m_impl->synth, int(tail.size() / 2), tail.data(), 0, 2, tail.data(), 1, 2);
}

}  // namespace platform
