#include "sound/bgm/bgm_request.h"

#include "project/global_data.h"
#include "sound/bgm/bgm_player.h"

int g_nStageBgmLoop = 0;

void PlayBgmRequest(std::uintptr_t slot, std::intptr_t bgmNumber) {
  if (slot > std::uintptr_t(kStageBgmSlot)) return;
  int number = 0;
  int loop = 0;
  if (slot == std::uintptr_t(kStageBgmSlot)) {
    number = static_cast<int>(bgmNumber);
    loop = g_nStageBgmLoop;
  } else {
    number = g_System->m_vScreenBgm[(long long)slot];
    loop = g_System->m_vScreenBgmOn[(long long)slot];
  }
  if (number == 0) {
    g_BgmPlayer.Stop();
    return;
  }
  // A number outside the database takes the checked list's fatal-error path.
  const cBgm& bgm = g_Database->m_vBgm[number];
  g_BgmPlayer.SetTrack(int(slot), bgm.m_strFile, bgm.m_nVolume);
  g_BgmPlayer.Play(0, int(slot), loop, 0, 1);
}
