#pragma once
// "System.ini": the eleven start-up settings of the player (drawing back
// end, window or full screen, colour depth, vertical sync, font caches,
// video stretching, the frame-rate display, the free-play stage, the
// language and the MIDI device). Their keys and defaults are not built in:
// the project's system record lists them, and System.ini overrides them.

#include <span>
#include <string>
#include <string_view>

#include "foundation/checked_vector.h"
#include "project/system_elements.h"

struct SYSTEMINIDATA {
  int Direct3D = 0;  // 0 DirectDraw, 1 Direct3D, 2 ask at start-up
  int WindowMode = 0;  // 0 full screen, else a window (2: Direct3D window with a sizing border)
  int Bpp = 0;  // 0 automatic, else 8, 16 or 32
  int VSync = 0;  // 0, 1, or 2 automatic
  int D3D_FontCache = 0;
  int DD_FontCache = 0;
  int DD_VideoStretch = 0;
  int ShowFps = 0;  // 0 off, 2 small text, other values a boxed text
  int English = 0;
  int Midi_DirectMusic = 0;
  std::string FreeStage;  // CP932 path of a stage file to start in free play
};

extern SYSTEMINIDATA g_SystemIni;

// Longest path (in bytes) that FreeStage takes; a longer one counts as absent.
inline constexpr std::size_t kMaxFreeStagePath = 259;

// Entry indexes of the settings in the system record's list.
enum SystemIniEntry : int {
  INI_DIRECT3D = 0,
  INI_WINDOWMODE = 1,
  INI_BPP = 2,
  INI_VSYNC = 3,
  INI_D3D_FONTCACHE = 4,
  INI_DD_FONTCACHE = 5,
  INI_DD_VIDEOSTRETCH = 6,
  INI_SHOWFPS = 7,
  INI_FREESTAGE = 8,
  INI_ENGLISH = 9,
  INI_MIDI_DIRECTMUSIC = 10,
};

void SetSystemIniDefaults(SYSTEMINIDATA& ini, const cVector<cOptionEntry>& entries);

// Reads the file over the settings: 1 when reading ended at a line "Exit"
// (also as the file's last bytes), at a NUL byte or after 10000 lines; 0
// when the file cannot be read or ends without such an ending (the
// settings read so far stay set).
int LoadSystemIni(std::string_view storedPath, SYSTEMINIDATA& ini, const cVector<cOptionEntry>& entries);
// The same over the file's bytes.
int ReadSystemIni(std::span<const unsigned char> bytes, SYSTEMINIDATA& ini, const cVector<cOptionEntry>& entries);

// The FreeStage rule for a path from the file: taken when longer than one
// byte and not longer than kMaxFreeStagePath.
bool IsUsableFreeStagePath(std::string_view path);
