#include "screens/ranking/ranking_drawing.h"

#include <algorithm>
#include <string>

#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "foundation/message_box.h"
#include "foundation/text_format.h"
#include "graphics/text/font_setup.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/menu/menu_pictures.h"
#include "screens/menu/text_layout.h"
#include "screens/ranking/time_text.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/init/system_ini.h"

namespace {

constexpr int kGenreLabelTerm = 5;
constexpr int kSwitchGenreHintTerm = 25;
constexpr int kTimeCells = 8;
constexpr int kMaxDigits = 11;

// Window layout: the box, the title line, the first row line, the right edge
// of the score column.
constexpr int kWindowWidth = 270;
constexpr int kWindowHeight = 350;
constexpr int kTitleTop = 9;
constexpr int kRowsTop = 32;
constexpr int kRankLeft = 16;
constexpr int kNameLeft = 64;
constexpr int kScoreRight = 256;
constexpr int kHintCentre = 136;

const std::string& GenreLabel(int genre) { return g_System->m_vTerms[kGenreLabelTerm + genre]; }

std::string ValueText(int genre, std::int32_t value) {
  std::string text;
  if (genre == kClearTimeGenre)
    FormatTime(text, value);
  else
    Format(text, "%d", value);
  return text;
}

// Draws `text` right-aligned in a column of `cells` cells ending at `right`;
// a longer text runs on to the right.
void DrawRightAligned(Font& font, DDSURFACEDATA* surface, int right, int y, int cells, const std::string& text) {
  const int pad = std::max(0, cells - GetCharCount(text));
  font.Printf(surface, right - kMenuCell * cells + kMenuCell * pad, y, "%s", text.c_str());
}

int ScoreColumnCells(const cRankingTable& table, int genre) {
  if (genre == kClearTimeGenre) return kTimeCells;
  const std::int32_t best = table.m_vEntries.empty() ? 0 : table.m_vEntries[0].m_nScore;
  return std::min(GetDigitCount(best), kMaxDigits);
}

}  // namespace

void DrawRankingTable(DDSURFACEDATA* surface, int x, int y, const cRankingTable& table, int genre, int newRow) {
  if (genre < 0 || genre >= kRankingGenres) return;
  Font& font = g_Fonts[kMenuFont];
  font.DrawBox(surface, x + 1, y + 1, kWindowWidth, kWindowHeight);
  const char* title = g_SystemIni.English ? "Ranking     %s" : Cp932Literal("ランキング    %s");
  font.Printf(surface, x + kRankLeft, y + kTitleTop, title, GenreLabel(genre).c_str());

  const int cells = ScoreColumnCells(table, genre);
  int lineY = y + kRowsTop;
  for (std::size_t row = 0; row < table.m_vEntries.size(); ++row) {
    const cRankingEntry& entry = table.m_vEntries[static_cast<long long>(row)];
    if (!entry.m_bUsed) break;
    font.Printf(surface, x + kRankLeft, lineY, "%d", static_cast<int>(row) + 1);
    font.Printf(surface, x + kNameLeft, lineY, "%s", entry.m_strName.c_str());
    DrawRightAligned(font, surface, x + kScoreRight, lineY, cells, ValueText(genre, entry.m_nScore));
    if (static_cast<int>(row) == newRow) DrawRowPointer(surface, x, lineY);
    lineY += kMenuCell;
  }
  if (GetRankingGenreCount(*g_System, g_Game.m_nPlayMode) > 1) {
    const std::string& hint = g_System->m_vTerms[kSwitchGenreHintTerm];
    font.Printf(surface, x + kHintCentre - kMenuCell * GetCharCount(hint) / 2, lineY, "%s", hint.c_str());
  }
}

void cRanking::Draw(DDSURFACEDATA* surface, int x, int y, int index, int newRow) {
  if (index < 0 || index >= static_cast<int>(m_vTables.size())) return;
  DrawRankingTable(surface, x, y, m_vTables[index], index, newRow);
}

namespace {

struct ResultLine {
  int genre;
  std::string label;
  std::string value;
};

std::int32_t ResultValue(const cSaveData& data, int genre) {
  const std::int32_t values[kRankingGenres] = {data.m_nStageValue, data.m_nResult1, data.m_nResult2,
                                               data.m_nResult3, data.m_nResult4};
  return values[genre];
}

bool ShowsGenre(int genre) {
  const cVector<std::uint32_t>& switches = g_PlayStage.RankingSwitches;
  if (genre >= static_cast<int>(switches.size()) || switches[genre] == 0) return false;
  if (g_bDirectStage) return true;
  const cRankingSetting& setting = g_System->m_vRankingSettings[g_Game.m_nPlayMode];
  return setting.m_bOn && genre < static_cast<int>(setting.m_vGenre.size()) && setting.m_vGenre[genre] != 0;
}

}  // namespace

void DrawResultPanel(DDSURFACEDATA* surface, int x, int y, const cVector<int>& newRows) {
  std::vector<ResultLine> lines;
  int labelCells = 1;
  int valueCells = 0;
  for (int genre = 0; genre < kRankingGenres; ++genre) {
    if (!ShowsGenre(genre)) continue;
    ResultLine line{genre, GenreLabel(genre), ValueText(genre, ResultValue(g_SaveData, genre))};
    labelCells = std::max(labelCells, GetCharCount(line.label));
    valueCells = std::max(valueCells, GetCharCount(line.value));
    if (genre == kClearTimeGenre) valueCells = std::max(valueCells, kTimeCells);
    lines.push_back(std::move(line));
  }
  if (lines.empty()) return;
  Font& font = g_Fonts[kMenuFont];
  font.DrawBox(surface, x, y, kMenuCell * (valueCells + 3 + labelCells), kMenuCell * static_cast<int>(lines.size()));
  const int valueRight = x + kMenuCell * (labelCells + 2 + valueCells);
  int lineY = y;
  for (const ResultLine& line : lines) {
    font.Printf(surface, x + kMenuCell, lineY, "%s", line.label.c_str());
    DrawRightAligned(font, surface, valueRight, lineY, valueCells, line.value);
    if (line.genre < static_cast<int>(newRows.size()) && newRows[line.genre] != -1) DrawRowPointer(surface, x, lineY);
    lineY += kMenuCell;
  }
}
