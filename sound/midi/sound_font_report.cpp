#include "sound/midi/sound_font_report.h"

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/log.h"
#include "platform/text_encoding.h"

namespace {

// The line that names the sound font in use starts so; the file follows.
constexpr std::string_view kInUse = "MIDI music plays with the sound font ";
constexpr std::string_view kNone = "No General MIDI sound font found: MIDI music plays silently";

// A sound font as the report names it: a link with the file it leads to
// (default-GM.sf2 -> ...), which tells the font that is meant.
std::string SoundFontName(const std::string& file) {
  std::error_code error;
  std::string name = file;
  if (std::filesystem::is_symlink(file, error)) {
    const std::filesystem::path target = std::filesystem::canonical(file, error);
    if (!error) name += " -> " + target.string();
  }
  return platform::Cp932FromUtf8(name);
}

}  // namespace

bool IsSoundFontLine(std::string_view line) { return line.starts_with(kInUse) || line == kNone; }

void ReportSoundFonts(const platform::SoundFontChoice& soundFonts) {
  static std::mutex mutex;
  static std::optional<platform::SoundFontChoice> reported;
  std::lock_guard lock(mutex);
  if (reported == soundFonts) return;
  reported = soundFonts;
  for (const std::string& file : soundFonts.refused)
    Report("The sound font %s was refused: FluidSynth cannot load it (damaged, or no sound font)",
           SoundFontName(file).c_str());
  if (soundFonts.used.empty()) Report("%s", std::string(kNone).c_str());
  else Report("%s%s", std::string(kInUse).c_str(), SoundFontName(soundFonts.used).c_str());
}
