#include "commands/items/get_item.h"

#include "commands/dispatch/command_params.h"
#include "commands/flows/loop_expansion.h"
#include "commands/items/item_commands.h"
#include "definitions/command_record.h"
#include "definitions/palette/palette.h"
#include "definitions/stage/stage_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/data_index.h"
#include "stage/scene/stage_scene.h"

namespace {

// The attempt's working copy of a palette entry's list, made and expanded
// at the entry's first take.
cVector<cEdCmd>& WorkingList(cStageScene& scene, int palette, int index, const cEdItem& item) {
  const auto [entry, made] = scene.m_TakenItemCmds.try_emplace({palette, index});
  if (made) {
    entry->second = item.m_vCmds;
    ExpandLoopCommands(entry->second);
  }
  return entry->second;
}

}  // namespace

int GetItem(const cEdCmd& command) {
  const int palette = CmdParam(command, 0) == 0 ? 0 : 1;
  const cVector<cEdItem>& items = palette == 0 ? g_CommonPalette.m_vItem : g_PlayStage.m_vPaletteItem;
  const int n = CmdParam(command, 1);
  cHero* hero = PlayerHero();
  cStageScene* scene = StageScene();
  if (hero == nullptr || scene == nullptr || !DataIndexOk(n, items.size(), 4)) return 0;
  return RunItemCmds(*hero, WorkingList(*scene, palette, n, items[n]));
}

void CmdGetItem(cChara&, const cEdCmd& command) {
  const int result = GetItem(command);
  if (cStageScene* scene = StageScene()) scene->m_nStageResult = result;
}
