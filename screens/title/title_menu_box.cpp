#include "screens/title/title_menu_box.h"

#include <algorithm>

#include "foundation/text_format.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/blits/frame_rect.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/text/font_setup.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/common/screen_pictures.h"
#include "screens/common/visible_commands.h"

namespace {

constexpr int kRow = 32;
constexpr int kFrameColour = 240;
constexpr int kLargeFont = 2;

}  // namespace

cTitleMenuBox::~cTitleMenuBox() { DDReleaseSurface(&m_Box); }

bool TitleMenuAsPictures() {
  return g_System->m_nTitleMenuOpt != 0 && SurfacePixels(&g_BmpSD[kTitleCommandPicture]) != nullptr;
}

bool cTitleMenuBox::Build(const std::vector<int>& commands, bool pictureMode) {
  m_Commands = commands;
  m_bPictureMode = pictureMode;
  int width = 0;
  if (pictureMode) {
    width = g_BmpSD[kTitleCommandPicture].nWidth + kRow;
  } else {
    int widest = 0;
    for (int command : commands) widest = std::max(widest, GetCharCount(CommandName(g_System->m_vTitleMenu, command)));
    width = kRow * widest + 34;
  }
  const int height = kRow * static_cast<int>(commands.size()) + 2;
  DDReleaseSurface(&m_Box);
  if (!DDCreateSurface(&m_Box, width, height, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return false;
  SetSurfaceLabel(&m_Box, "title menu");
  Redraw();
  return true;
}

void cTitleMenuBox::Redraw() {
  const int rows = static_cast<int>(m_Commands.size());
  if (m_bPictureMode) {
    DDFillSurface(&m_Box, 0);
    DDSURFACEDATA* strips = &g_BmpSD[kTitleCommandPicture];
    for (int i = 0; i < rows; ++i)
      DDBlt(&m_Box, kRow, kRow * i, strips->nWidth, kRow, strips, 0, kRow * m_Commands[i], 0);
    return;
  }
  DDBltFramed(&m_Box, 1, 1, m_Box.nWidth - 2, m_Box.nHeight - 2, &g_BmpSD[kWindowPicture], 1, kFrameColour);
  for (int i = 0; i < rows; ++i)
    g_Fonts[kLargeFont].Draw(&m_Box, kRow, kRow * i, CommandName(g_System->m_vTitleMenu, m_Commands[i]).c_str());
}

void cTitleMenuBox::Blit(DDSURFACEDATA* target, int x, int y) {
  if (m_Box.bLost) {
    Redraw();
    m_Box.bLost = 0;
  }
  DDBlt(target, x, y, m_Box.nWidth, m_Box.nHeight, &m_Box, 0, 0, 1);
}
