#include "screens/options/option_items.h"

#include "graphics/device/device.h"
#include "platform/main_thread.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "project/user_option.h"
#include "shell/game/blend_palette.h"
#include "sound/waves/sound_requests.h"

namespace {

// Every copy of every sound at the volume of the step: plays take the copies
// in turn, so each must sound the same.
void SetSoundVolume(int step) {
  const int volume = g_MasterVolumeTable[static_cast<std::size_t>(step)];
  platform::RunOnMainThread([volume] {
    EnsureSoundsLoaded();
    for (DSSOUNDDATA& sound : g_Sounds)
      for (int copy = 0; copy < static_cast<int>(sound.buffers.size()); ++copy) DS_SetVolume(sound, copy, volume, 0);
  });
}

}  // namespace

OptionValue OptionValueOf(int item) {
  cUserOption& option = *g_UserOption;
  switch (item) {
    case kOptionPalette:
      return {&option.m_nPalette, 0, cUserOption::kPaletteCount - 1};
    case kOptionMusic:
      return {&option.m_bMusic, 0, 1};
    case kOptionVolume:
      return {&option.m_nSoundVolume, 0, cUserOption::kMaxSoundVolume};
    default:
      return {&option.m_nRankingMode, 0, cUserOption::kRankingModeCount - 1};
  }
}

std::string OptionValueText(int item) {
  const cUserOption& option = *g_UserOption;
  switch (item) {
    case kOptionPalette:
      return std::to_string(option.m_nPalette);
    case kOptionMusic:
      return option.m_bMusic ? "ON" : "OFF";
    case kOptionVolume:
      return std::to_string(option.m_nSoundVolume);
    case kOptionRankingMode: {
      const auto& modes = g_System->m_vRankingEntryModes;
      return option.m_nRankingMode < static_cast<int>(modes.size()) ? modes[option.m_nRankingMode] : std::string();
    }
    case kOptionName:
      return option.m_strName;
    default:
      return {};
  }
}

void ApplyOptionValue(int item) {
  // Only the 8-bit palette has colour variants.
  if (item == kOptionPalette && !lpDTCon && g_DDState.nBpp == 8) LoadBlendPalette(g_UserOption->m_nPalette);
  if (item == kOptionVolume) SetSoundVolume(g_UserOption->m_nSoundVolume);
}
