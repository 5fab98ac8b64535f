// The sample game's common palette: the ground and brick blocks, the coin
// item and the hero character that its stages place or inherit from.
#include "project/global_data.h"
#include "tools/sample_game/project_files.h"
#include "tools/sample_game/record_bytes.h"

namespace sample_game {

cEdPalette BuildCommonPalette() {
  cEdPalette palette;
  palette.m_vBlock.resize(3);
  palette.m_vBlock[1].m_strName = Sjis("地面");
  palette.m_vBlock[1].m_nGraphicNo = 1;
  palette.m_vBlock[2].m_strName = Sjis("レンガ");
  palette.m_vBlock[2].m_nGraphicNo = 2;
  palette.m_vItem.resize(2);
  palette.m_vItem[1].m_strName = Sjis("コイン");
  palette.m_vItem[1].m_nGraphicNo = 1;
  palette.m_vChara.resize(2);
  cEdChara& hero = palette.m_vChara[1];
  hero.m_strName = Sjis("主人公");
  hero.m_nOperator = kOperatorPlayer;
  hero.m_nFaction = 0;
  hero.m_nGraphicNo = 1;
  return palette;
}

std::vector<std::uint8_t> CommonPaletteFileBytes(const cDatabase& database) {
  // Saving checks the definitions against the project's database: the
  // sample's own, standing in for the global one while the file is written.
  const bool started = g_Database.IsStarted();
  if (!started) StartProjectData();
  const cDatabase previous = *g_Database;
  *g_Database = database;
  cEdPalette palette = BuildCommonPalette();
  std::vector<std::uint8_t> bytes = RecordFileBytes(palette);
  *g_Database = previous;
  if (!started) StopProjectData();
  return bytes;
}

}  // namespace sample_game
