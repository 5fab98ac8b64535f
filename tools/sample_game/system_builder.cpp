// The project's system record and start-up settings of the sample game:
// a colour-mode-0 project (8-bit palette), its own title, screen music, the
// 17 system sounds, and start-up defaults for a window in the Direct3D mode.
#include <iterator>

#include "tools/sample_game/project_files.h"
#include "tools/sample_game/record_bytes.h"
#include "tools/sample_game/sound_effects.h"

namespace sample_game {

namespace {
constexpr long long kFirstMenuTerm = 19;  // pause menu 19-22, retry menu 23-24
}  // namespace

cSystem BuildSystemRecord() {
  cSystem system;
  system.m_strTitle = Sjis(kGameTitle);
  system.m_nColorMode = 0;  // 8-bit palette project: full screen may run at 8 bits
  const auto& sounds = SystemSounds();
  system.m_vSoundFiles.resize(sounds.size());
  for (std::size_t i = 0; i < sounds.size(); ++i) system.m_vSoundFiles[i] = Sjis(sounds[i].path);
  system.m_vScreenBgm = {kBgmTitle, kBgmMap, kBgmMap, kBgmTitle};
  system.m_vLifeStart = {3, 3, 5, 99};
  system.m_vLifeUnlimited = {0, 0, 1, 1};
  // Space pauses; the pause menu and the retry menu after a lost life get
  // the texts of every entry (a new project leaves "to the map" empty).
  system.m_nSetting838 = 1;
  const char* menuTerms[] = {"タイトルへ戻る", "つづける", "リトライ", "マップへ戻る", "リトライ", "マップへ戻る"};
  for (std::size_t i = 0; i < std::size(menuTerms); ++i) system.m_vTerms[kFirstMenuTerm + i] = Sjis(menuTerms[i]);
  system.m_nPairCount = 2;  // the challenge stages c01-1 and c02-1, both listed
  system.m_bUsePairCount = 1;
  // The options screen's items in its own order: colour variant, music,
  // sound volume, ranking entry mode, ranking name, back.
  const char* optionLabels[] = {"カラー", "BGM", "SE音量", "ランキング登録", "ランキング登録名", "もどる"};
  system.m_vOptionMenu.resize(std::size(optionLabels));
  for (std::size_t i = 0; i < std::size(optionLabels); ++i) {
    system.m_vOptionMenu[i].m_bVisible = 1;
    system.m_vOptionMenu[i].m_strName = Sjis(optionLabels[i]);
  }
  // Start-up defaults when System.ini is missing: Direct3D in a window.
  system.m_vOptions[0].m_nValue = 1;
  system.m_vOptions[1].m_nValue = 1;
  system.m_vOptions[7].m_nValue = 0;  // no frame-rate overlay
  return system;
}

std::string SystemIniText(const StartupSettings& settings) {
  // Written as the Windows tools write it: CR LF line ends, "Exit" last.
  std::string text;
  auto line = [&](const char* key, int value) { text += std::string(key) + "=" + std::to_string(value) + "\r\n"; };
  line("Direct3D", settings.direct3D);
  line("WindowMode", settings.windowMode);
  line("Bpp", settings.bpp);
  line("VSync", 2);
  line("D3D_FontCache", 0);
  line("DD_FontCache", 1);
  line("DD_VideoStretch", 0);
  line("ShowFps", 0);
  line("English", 0);
  line("Midi_DirectMusic", 1);
  text += "Exit\r\n";
  return text;
}

}  // namespace sample_game
