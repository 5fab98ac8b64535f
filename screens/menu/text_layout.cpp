#include "screens/menu/text_layout.h"

#include <algorithm>
#include <string>

#include "foundation/text_format.h"
#include "graphics/text/font_setup.h"
#include "project/global_data.h"

namespace {

int WidestTerm(int first, int count, int extra) {
  int widest = 0;
  for (int i = first; i < first + count; ++i) widest = std::max(widest, GetCharCount(g_System->m_vTerms[i]));
  return widest + (extra ? 1 : 0);
}

}  // namespace

int CenterTermsX(int centre, int first, int count, int extra) {
  return centre - kMenuCell * WidestTerm(first, count, extra) / 2;
}

void DrawTermsColumn(DDSURFACEDATA* surface, int x, int y, int first, int count, int extra) {
  if (count == 0) return;
  std::string text;
  for (int i = first; i < first + count; ++i)
    AppendFormat(text, extra ? " %s\n" : "%s\n", g_System->m_vTerms[i].c_str());
  const int width = WidestTerm(first, count, extra);
  g_Fonts[kMenuFont].PrintfBox(surface, x, y, kMenuCell * width, kMenuCell * count, "%s", text.c_str());
}

int CenterCmdListX(int centre, const cCmd& list) {
  int widest = 0;
  for (const cCmdItem& item : list)
    if (item.m_bVisible) widest = std::max(widest, GetCharCount(item.m_strName));
  if (widest == 0) return centre;
  return centre - kMenuCell * (widest + 1) / 2;
}
