#include "commands/looks/look_commands.h"

#include "commands/dispatch/command_params.h"
#include "definitions/command_record.h"
#include "project/global_data.h"
#include "stage/chara/chara.h"
#include "stage/core/data_index.h"
#include "stage/scene/current_actor.h"

void ChangeGraphic(cChara& chara, const cEdCmd& command) {
  chara.def.m_nGraphicKind = static_cast<std::uint8_t>(CmdParam(command, 0));
  chara.def.m_nGraphicNo = static_cast<std::uint16_t>(static_cast<std::int16_t>(CmdParam(command, 1)));
  chara.def.m_nGraphicOffset = static_cast<std::uint16_t>(CmdParam(command, 2));
}

void ChangeAnimSet(cChara& chara, const cEdCmd& command) {
  const int set = CmdParam(command, 0);
  if (!g_Database.IsStarted() || !DataIndexOk(set, g_Database->m_vAnimeSet.size(), 4)) return;
  chara.def.m_nAnimeSet = static_cast<std::uint16_t>(set);
  chara.SetBaseAnimeSet(set, 0);
}

void PlayAnim(cChara& chara, const cEdCmd& command) {
  const int n = CmdParam(command, 0);
  if (!DataIndexOk(n, g_AnimeFrameTable.size(), 4)) return;
  ExtraAnime& anime = chara.extraAnimes.emplace_front();
  cVector<Pattern> table;
  table.push_back(g_AnimeFrameTable[n]);
  anime.player.Build(table);
  anime.flowId = g_CurrentActor.flow != nullptr ? g_CurrentActor.flow->serial : -1;
  anime.player.SetPattern(0, 1);
}

void StartCharaEffect(cChara& chara, const cEdCmd& command) {
  SelectCharaEffect(chara.effect, CmdParam(command, 0), CmdParam(command, 1), CmdParam(command, 2));
}
