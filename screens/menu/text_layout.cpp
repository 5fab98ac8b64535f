#include "screens/menu/text_layout.h"

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/text_format.h"
#include "graphics/text/font_setup.h"
#include "project/global_data.h"

namespace {

int WidestTerm(int first, int count, int extra) {
  int widest = 0;
  for (int i = first; i < first + count; ++i) widest = std::max(widest, GetCharCount(g_System->m_vTerms[i]));
  return widest + (extra ? 1 : 0);
}

// The lines in a framed box, each after a blank with `extra`.
void DrawTextColumn(DDSURFACEDATA* surface, int x, int y, const std::vector<std::string>& lines, int extra) {
  if (lines.empty()) return;
  std::string text;
  int widest = 0;
  for (const std::string& line : lines) {
    AppendFormat(text, extra ? " %s\n" : "%s\n", line.c_str());
    widest = std::max(widest, GetCharCount(line));
  }
  const int width = widest + (extra ? 1 : 0);
  const int count = static_cast<int>(lines.size());
  g_Fonts[kMenuFont].PrintfBox(surface, x, y, kMenuCell * width, kMenuCell * count, "%s", text.c_str());
}

}  // namespace

int CenterTermsX(int centre, int first, int count, int extra) {
  return centre - kMenuCell * WidestTerm(first, count, extra) / 2;
}

void DrawTermsColumn(DDSURFACEDATA* surface, int x, int y, int first, int count, int extra) {
  std::vector<std::string> lines;
  for (int i = first; i < first + count; ++i) lines.push_back(g_System->m_vTerms[i]);
  DrawTextColumn(surface, x, y, lines, extra);
}

void DrawCmdColumn(DDSURFACEDATA* surface, int x, int y, const cCmd& list) {
  std::vector<std::string> lines;
  for (const cCmdItem& item : list)
    if (item.m_bVisible) lines.push_back(item.m_strName);
  DrawTextColumn(surface, x, y, lines, 1);
}

int CenterCmdListX(int centre, const cCmd& list) {
  int widest = 0;
  for (const cCmdItem& item : list)
    if (item.m_bVisible) widest = std::max(widest, GetCharCount(item.m_strName));
  if (widest == 0) return centre;
  return centre - kMenuCell * (widest + 1) / 2;
}
