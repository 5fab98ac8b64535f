#include "commands/items/get_item.h"

#include "commands/dispatch/command_params.h"
#include "commands/items/item_commands.h"
#include "definitions/command_record.h"
#include "definitions/palette/palette.h"
#include "definitions/stage/stage_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/data_index.h"
#include "stage/scene/stage_scene.h"

int GetItem(const cEdCmd& command) {
  const cVector<cEdItem>& items = CmdParam(command, 0) == 0 ? g_CommonPalette.m_vItem : g_PlayStage.m_vItem;
  const int n = CmdParam(command, 1);
  cHero* hero = PlayerHero();
  if (hero == nullptr || !DataIndexOk(n, items.size(), 4)) return 0;
  return RunItemCmds(*hero, items[n].m_vCmds);
}

void CmdGetItem(cChara&, const cEdCmd& command) {
  const int result = GetItem(command);
  if (cStageScene* scene = StageScene()) scene->m_nStageResult = result;
}
