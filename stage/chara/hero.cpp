#include "stage/chara/hero.h"

#include <algorithm>

#include "definitions/stage/stage_record.h"
#include "stage/chara/stage_lists.h"

void cHero::Place(int heroIndex, const cEdChara& definition, int column, int row) {
  ResetChara(&definition, 0, 0, 0, 0);
  sizeFactor = std::max<int>(definition.m_nSize, 1);
  const bool floating = definition.m_nFlight != 0;
  const std::int32_t* size = g_PlayStage.HeroSize1;
  const int width = size[floating ? 2 : 0] > 0 ? size[floating ? 2 : 0] : 32;
  const int height = size[floating ? 3 : 1] > 0 ? size[floating ? 3 : 1] : 32;
  Init(kFirstHeroNumber - heroIndex, kOperatorPlayer, 0, 0, 0, nullptr, 0, (32 - width) >> 1, (32 - height) >> 1,
       width, height, 32, 32, definition.m_nFacing, definition.m_nFlight, 0);
  side = definition.m_nFaction;
  SetBlockPos(column, row, 1);
}

void MarkPlayerHeroFalling() {
  if (cHero* hero = PlayerHero()) hero->fallFlag = 1;
}
