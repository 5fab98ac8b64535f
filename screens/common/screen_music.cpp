#include "screens/common/screen_music.h"

#include "project/global_data.h"
#include "project/system_record.h"
#include "shell/game/game.h"

void RequestScreenBgm(int slot) {
  const auto& numbers = g_System->m_vScreenBgm;
  const auto& keep = g_System->m_vScreenBgmOn;
  g_Game.RequestBgm(slot < static_cast<int>(numbers.size()) ? numbers[slot] : 0,
                    slot < static_cast<int>(keep.size()) ? keep[slot] : 0, slot);
}
