#include "shell/init/screen_mode.h"

#include "foundation/message_box.h"

namespace {

int FullScreenDepth(int direct3D, int colourMode, int depthChoice) {
  switch (depthChoice) {
    case 0: return 32;
    case 1: return 16;
    case 2: return !direct3D && colourMode == 0 ? 8 : 32;
    default: return 32;
  }
}

}  // namespace

int ApplyWindowAndSync(SYSTEMINIDATA& ini) {
  const int windowed = ini.WindowMode != 0 ? 1 : 0;
  if (ini.Direct3D) {
    if (ini.VSync >= 2) ini.VSync = 1;
  } else if (windowed) {
    ini.VSync = 0;
  } else if (ini.VSync >= 2) {
    ini.VSync = 0;
  }
  return windowed;
}

int ChooseColourDepth(SYSTEMINIDATA& ini, const cSystem& system, int desktopDepth) {
  if (ini.Bpp == 0) {
    if (ini.WindowMode != 0)
      ini.Bpp = desktopDepth;
    else
      ini.Bpp = FullScreenDepth(ini.Direct3D, system.m_nColorMode,
                                ini.Direct3D ? system.m_nD3DDepth : system.m_nDDDepth);
  }
  return ini.Bpp;
}

std::optional<std::string> CheckScreenMode(const SYSTEMINIDATA& ini, const cSystem& system, int depth,
                                           int desktopDepth) {
  const bool windowed = ini.WindowMode != 0;
  const bool trueColour = depth == 16 || depth == 32;
  bool allowed;
  if (ini.Direct3D || system.m_nColorMode != 0)
    allowed = trueColour && (!windowed || depth == desktopDepth);
  else
    allowed = (depth == 8 && !windowed) || (trueColour && (!windowed || depth == desktopDepth));
  if (allowed) return std::nullopt;
  if (windowed && trueColour && depth != desktopDepth)
    return std::string(Cp932Literal(
        "画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！"));
  return std::string(Cp932Literal("画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！"));
}
