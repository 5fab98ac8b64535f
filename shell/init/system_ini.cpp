#include "shell/init/system_ini.h"

#include <climits>
#include <cstdint>
#include <vector>

#include "foundation/game_files.h"

SYSTEMINIDATA g_SystemIni;

namespace {

constexpr int kMaxLines = 10000;

int* IntField(SYSTEMINIDATA& ini, int entry) {
  switch (entry) {
    case INI_DIRECT3D: return &ini.Direct3D;
    case INI_WINDOWMODE: return &ini.WindowMode;
    case INI_BPP: return &ini.Bpp;
    case INI_VSYNC: return &ini.VSync;
    case INI_D3D_FONTCACHE: return &ini.D3D_FontCache;
    case INI_DD_FONTCACHE: return &ini.DD_FontCache;
    case INI_DD_VIDEOSTRETCH: return &ini.DD_VideoStretch;
    case INI_SHOWFPS: return &ini.ShowFps;
    case INI_ENGLISH: return &ini.English;
    case INI_MIDI_DIRECTMUSIC: return &ini.Midi_DirectMusic;
    default: return nullptr;
  }
}

// The value's leading decimal integer (an optional sign, then digits), 0
// without digits; values beyond an int stop at its limits.
int LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > std::int64_t(INT_MAX) + 1) value = std::int64_t(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

void Apply(SYSTEMINIDATA& ini, const cVector<cOptionEntry>& entries, const std::string& key,
           const std::string& value) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[static_cast<long long>(i)].m_strKey != key) continue;
    if (static_cast<int>(i) == INI_FREESTAGE) {
      if (IsUsableFreeStagePath(value)) ini.FreeStage = value;
    } else if (int* field = IntField(ini, static_cast<int>(i))) {
      *field = LeadingInteger(value);
    }
    return;
  }
}

enum class KeyEnd { Setting, Line, Finished, EndOfFile };

// Reads bytes in a simple cursor over the file.
struct Cursor {
  std::span<const unsigned char> bytes;
  std::size_t pos = 0;
  bool AtEnd() const { return pos >= bytes.size(); }
  unsigned char Next() { return bytes[pos++]; }
};

// The key part of a line: blanks, tabs and carriage returns are skipped.
KeyEnd ReadKey(Cursor& in, std::string& key) {
  key.clear();
  while (!in.AtEnd()) {
    const unsigned char c = in.Next();
    if (c == '\r' || c == ' ' || c == '\t') continue;
    if (c == '=') return KeyEnd::Setting;
    if (c == '\n') return KeyEnd::Line;
    if (c == '\0') return KeyEnd::Finished;
    key.push_back(static_cast<char>(c));
  }
  return KeyEnd::EndOfFile;
}

// The value after '=': up to a blank, tab, '/', line feed, NUL or the end of
// the file; the carriage return of a CR LF line is not part of it.
std::string ReadValue(Cursor& in) {
  std::string value;
  while (!in.AtEnd()) {
    const unsigned char c = in.Next();
    if (c == ' ' || c == '\t' || c == '/' || c == '\n' || c == '\0') break;
    value.push_back(static_cast<char>(c));
  }
  if (!value.empty() && value.back() == '\r') value.pop_back();
  return value;
}

}  // namespace

bool IsUsableFreeStagePath(std::string_view path) { return path.size() > 1 && path.size() <= kMaxFreeStagePath; }

void SetSystemIniDefaults(SYSTEMINIDATA& ini, const cVector<cOptionEntry>& entries) {
  for (int entry = INI_DIRECT3D; entry <= INI_MIDI_DIRECTMUSIC; ++entry) {
    if (int* field = IntField(ini, entry)) *field = entries[entry].m_nValue;
  }
  const std::string& stage = entries[INI_FREESTAGE].m_strValue;
  ini.FreeStage = stage.size() <= kMaxFreeStagePath ? stage : std::string();
}

int LoadSystemIni(std::string_view storedPath, SYSTEMINIDATA& ini, const cVector<cOptionEntry>& entries) {
  std::vector<unsigned char> bytes;
  if (!ReadGameFile(storedPath, bytes)) return 0;
  return ReadSystemIni(bytes, ini, entries);
}

int ReadSystemIni(std::span<const unsigned char> bytes, SYSTEMINIDATA& ini, const cVector<cOptionEntry>& entries) {
  Cursor in{bytes};
  std::string key;
  for (int line = 0; line < kMaxLines; ++line) {
    switch (ReadKey(in, key)) {
      case KeyEnd::Finished:
        return 1;
      case KeyEnd::EndOfFile:
        // A last line "Exit" without its line feed ends the file properly.
        return key == "Exit" ? 1 : 0;
      case KeyEnd::Line:
        if (key == "Exit") return 1;
        break;
      case KeyEnd::Setting:
        Apply(ini, entries, key, ReadValue(in));
        break;
    }
  }
  return 1;
}
