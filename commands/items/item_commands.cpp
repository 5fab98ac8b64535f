#include "commands/items/item_commands.h"

#include <array>

#include "commands/binding/param_binding.h"
#include "commands/code/stage_code_access.h"
#include "commands/items/change_flow.h"
#include "commands/items/get_item.h"
#include "commands/looks/look_commands.h"
#include "commands/scene_fx/scene_fx_commands.h"
#include "commands/stage/stage_clear.h"
#include "commands/status/status_operation.h"
#include "commands/targets/select_target.h"
#include "commands/world/status_op2.h"
#include "commands/world/vanish.h"
#include "commands/world/warp.h"
#include "definitions/command_record.h"
#include "foundation/log.h"
#include "stage/chara/chara.h"
#include "stage/show/show_message.h"
#include "stage/show/show_picture.h"

namespace {

using ItemExecutor = int (*)(cChara&, cEdCmd&);

// A shared executor that always lets the list go on.
template <void (*Run)(cChara&, const cEdCmd&)>
int GoOn(cChara& hero, cEdCmd& command) {
  Run(hero, command);
  return kItemRanAll;
}

int ChangeFlowNow(cChara& hero, cEdCmd& command) {
  ChangeFlow(hero, command, 0);
  return kItemRanAll;
}

int g_ItemMessageOpen = 0;

// The second and later messages of one item continue the window of the
// first.
int ShowItemMessage(cChara& hero, cEdCmd& command) {
  ShowMessage(hero, command, g_ItemMessageOpen);
  g_ItemMessageOpen = 1;
  return kItemRanAll;
}

int QueueArrange(cChara& hero, cEdCmd& command) {
  hero.itemArranges.push_back(ArrangeOf(command));
  return kItemRanAll;
}

constexpr std::array<ItemExecutor, kItemCmdKindCount> kItemExecutors = [] {
  std::array<ItemExecutor, kItemCmdKindCount> table{};
  table[kItemCmdChangeFlow] = ChangeFlowNow;
  table[kCmdStageClear - kItemKindOffset] = [](cChara& hero, cEdCmd& command) { return StageClear(hero, command); };
  table[kCmdGameWait - kItemKindOffset] = GoOn<GameWait>;
  table[kCmdMessage - kItemKindOffset] = ShowItemMessage;
  table[kCmdPicture - kItemKindOffset] = GoOn<ShowPicture>;
  table[kCmdWarp - kItemKindOffset] = GoOn<Warp>;
  table[kCmdSetTarget - kItemKindOffset] = GoOn<SelectTarget>;
  table[kCmdStatus - kItemKindOffset] = GoOn<RunStatusOperation>;
  table[kCmdStatus2 - kItemKindOffset] = GoOn<RunStatusOperation2>;
  table[kCmdVanish - kItemKindOffset] = GoOn<Vanish>;
  table[kCmdTakeItem - kItemKindOffset] = GoOn<CmdGetItem>;
  table[kCmdChangeGraphic - kItemKindOffset] = GoOn<ChangeGraphic>;
  table[kCmdChangeAnimeSet - kItemKindOffset] = GoOn<ChangeAnimSet>;
  table[kCmdAnime - kItemKindOffset] = GoOn<PlayAnim>;
  table[kCmdEffect - kItemKindOffset] = GoOn<RunEffect>;
  table[kCmdCharaEffect - kItemKindOffset] = GoOn<StartCharaEffect>;
  table[kCmdScrEffect - kItemKindOffset] = GoOn<StartScreenEffectCmd>;
  table[kCmdScreenColor - kItemKindOffset] = GoOn<SetScreenColor>;
  table[kCmdBackground - kItemKindOffset] = GoOn<ChangeBackground>;
  table[kCmdSound - kItemKindOffset] = GoOn<PlayCmdSound>;
  table[kCmdBgm - kItemKindOffset] = GoOn<PlayCmdBgm>;
  table[kCmdCode - kItemKindOffset] = GoOn<ExecCodeCmd>;
  table[kCmdArrange - kItemKindOffset] = QueueArrange;
  return table;
}();

int g_ItemNesting = 0;

}  // namespace

int RunItemCmd(cChara& hero, cEdCmd& command) {
  const int kind = command.m_nKind;
  if (kind >= kItemCmdKindCount) return kItemRanAll;
  const ItemExecutor executor = kItemExecutors[static_cast<std::size_t>(kind)];
  return executor != nullptr ? executor(hero, command) : kItemRanAll;
}

int RunItemCmds(cChara& hero, cVector<cEdCmd>& commands) {
  if (g_ItemNesting >= kMaxItemNesting) {
    ReportAndLog("item commands: items take items deeper than %d", kMaxItemNesting);
    return kItemRanAll;
  }
  ++g_ItemNesting;
  g_ItemMessageOpen = 0;
  int result = kItemRanAll;
  for (cEdCmd& command : commands) {
    if (command.m_nKind != kCmdArrange - kItemKindOffset) ApplyArrangeList(command, hero, hero.itemArranges);
    const int r = RunItemCmd(hero, command);
    if (hero.hp <= 0) {
      result = kItemHeroDown;
      break;
    }
    if (r != kItemRanAll) {
      result = r;
      break;
    }
  }
  --g_ItemNesting;
  if (result == kItemRanAll && hero.hp <= 0) result = kItemHeroDown;
  return result;
}
