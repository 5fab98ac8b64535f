#include "shell/game_init.h"

#include <string>

#include "foundation/game_files.h"
#include "foundation/log.h"
#include "foundation/paths.h"
#include "foundation/record_stream.h"
#include "foundation/text_format.h"
#include "graphics/device/device.h"
#include "graphics/text/font_setup.h"
#include "platform/filesystem.h"
#include "platform/window.h"
#include "project/data_paths.h"
#include "project/global_data.h"
#include "shell/app_state.h"
#include "shell/game/blend_palette.h"
#include "shell/game/frame_step.h"
#include "shell/game/game.h"
#include "shell/game/game_clock.h"
#include "shell/game/timers.h"
#include "shell/init/graphics_start.h"
#include "shell/init/project_load.h"
#include "shell/init/screen_mode.h"
#include "shell/init/system_ini.h"
#include "shell/report/graphics_report.h"
#include "shell/subsystems/subsystem_steps.h"
#include "shell/window/main_window_object.h"
#include "shell/window/window_pos.h"

namespace {

// What has been set up, so that ExitGame releases only that.
struct StartedParts {
  bool projectData = false;
  bool graphics = false;
  bool fonts = false;
  bool sound = false;
};
StartedParts g_started;

constexpr const char* kTextureFailure =
    "テクスチャの作成に失敗しました！\nビデオカードの性能が十分ではないかもしれません。\nSystem."
    "iniファイルで「Direct3D=0」に変更してDirect3Dを無効にすれば改善される可能性があります。";

void ReadSystemIni() {
  SetSystemIniDefaults(g_SystemIni, g_System->m_vOptions);
  if (!LoadSystemIni("System.ini", g_SystemIni, g_System->m_vOptions)) {
    ReportAndBox("%s", Cp932Literal("System.ini の読み込みに失敗しました！"));
    SetSystemIniDefaults(g_SystemIni, g_System->m_vOptions);
  }
}

// Window mode, sync, colour depth and the check that the screen can show it.
bool ChooseScreenMode(int* depth) {
  g_bWindowed = ApplyWindowAndSync(g_SystemIni);
  const int desktopDepth = platform::DesktopColourDepth();
  *depth = ChooseColourDepth(g_SystemIni, *g_System, desktopDepth);
  if (auto refusal = CheckScreenMode(g_SystemIni, *g_System, *depth, desktopDepth)) {
    ErrorBoxF("%s", refusal->c_str());
    return false;
  }
  if (g_SystemIni.Direct3D && g_SystemIni.WindowMode == 2) g_MainWindow.SetSizingBorder(true);
  return true;
}

// The saved place of the window, then the window shown.
void PlaceAndShowWindow() {
  bool maximised = false;
  if (g_SystemIni.WindowMode != 0 && LoadWindowPos()) {
    const platform::WindowRect now = platform::MainWindowRect();
    if (g_SystemIni.Direct3D && g_SystemIni.WindowMode == 2)
      g_MainWindow.FitClientAt(g_WindowPos.m_nX, g_WindowPos.m_nY, g_WindowPos.m_nWidth, g_WindowPos.m_nHeight);
    else
      g_MainWindow.FitClientAt(g_WindowPos.m_nX, g_WindowPos.m_nY, now.width, now.height);
    maximised = g_WindowPos.m_bZoomed != 0;
  }
  if (!g_SystemIni.Direct3D && g_SystemIni.WindowMode == 0) maximised = true;
  platform::ShowMainWindow(maximised);
}

bool StartGraphics(int depth) {
  if (!StartGraphicsDevice(g_SystemIni, depth)) return false;
  g_started.graphics = true;
  if (lpDTCon) lpDTCon->strTextureFailure = Cp932Literal(kTextureFailure);
  LinkBitmapSurfaces();
  PlaceAndShowWindow();
  WriteGraphicsReport(1);
  DebugLog(Cp932Literal("DDInit成功"));
  if (!SetUpPaletteAndTransparency(g_SystemIni, *g_System, depth)) return false;
  // A DirectDraw window keeps its size; a Direct3D one may be resized and scaled.
  if (!lpDTCon && g_bWindowed) g_MainWindow.KeepSizeLimits();
  if (!lpDTCon)
    SetFrameTiming(ChooseFrameTiming(g_SystemIni, platform::DesktopRefreshRate(), g_Game.m_nFps));
  g_started.fonts = true;
  return LoadStartupBitmapsAndFonts(g_SystemIni, *g_System);
}

bool StartInputAndSound(int depth) {
  StartInputStep();
  LoadFile(*g_UserOption, g_Paths[PATH_USER_OPTION]);
  if (depth == 8 && !LoadBlendPalette(g_UserOption->m_nPalette)) return false;
  if (g_SystemIni.WindowMode == 0) g_SystemIni.Midi_DirectMusic = 0;
  StartMusicStep();
  g_started.sound = true;
  return StartSoundStep();
}

// The stage of the command line or System.ini, started at once in free play.
bool StartFreeStage() {
  if (g_SystemIni.FreeStage.empty()) return true;
  std::string stage = g_SystemIni.FreeStage;
  FindLastNumberedFile(stage, stage, g_Extensions[EXT_STAGE]);
  if (!platform::PathExists(ResolveGamePath(stage))) {
    ReportAndLog(Cp932Literal("「%s」の読み込みに失敗しました！"), stage.c_str());
    g_SystemIni.FreeStage.clear();
    return true;
  }
  g_bDirectStage = 1;
  if (!PlayStageFileStep(stage, 1)) return false;
  g_Game.m_nState = GS_STAGE;
  g_Game.m_nPrevState = GS_TITLE;
  g_Game.m_nPlayMode = PM_FREE;
  g_Game.m_nTitleCmd = TC_FREEPLAY;
  g_Game.m_bRanking = 1;
  return true;
}

}  // namespace

// The order of the start-up is fixed: random seed and data-version settings;
// the parameter table; default data and folders; databases and the project
// records; System.ini and the drawing mode; the graphics device; the window
// shown; palette, bitmaps and fonts; input and options; music and sound; the
// world map and common palette; last the stage given on the command line.
bool InitGame(std::string_view commandLine) {
  SeedRand(GameNowMs());
  g_DataVersion = kProgramDataVersion;
  g_bRemoveCR = 1;
  g_bFileNewer = 0;
  g_bDirectStage = 0;
  g_Game.Reset();
  ResetFrameTimers();
  InstallFramePacing();
  ResetFpsLine();
  if (!g_started.projectData) {
    StartProjectData();
    g_started.projectData = true;
  }
  BuildParamTableStep();
  if (!LoadProjectData()) return false;
  ReadSystemIni();
  if (g_SystemIni.Direct3D == 2 && !ChooseDrawingModeStep()) return false;
  // Any command line is the stage to play; one too long for the setting
  // counts as none and leaves System.ini's standing.
  if (!commandLine.empty() && commandLine.size() <= kMaxFreeStagePath) g_SystemIni.FreeStage = commandLine;
  g_Game.m_nFps = 60;
  g_Game.m_nFadeSpeed = 10;
  SetKeyRepeatStep();
  int depth = 0;
  if (!ChooseScreenMode(&depth)) return false;
  platform::SetMainWindowTitle(g_System->m_strTitle);
  GetElapsedTime(1);
  if (!StartGraphics(depth)) return false;
  if (!StartInputAndSound(depth)) return false;
  if (!LoadWorldMapAndPalette()) return false;
  return StartFreeStage();
}

// Released in this order: timers, sound and music, the scenes, fonts and
// digit strips, the graphics layer, the keyboard hooks; then the project's
// data objects, once no thread uses them any more.
void ExitGame() {
  if (lpDTCon) {
    Report("Font10 : %d", GlyphCacheCount(g_Fonts[0]));
    Report("Font16 : %d", GlyphCacheCount(g_Fonts[1]));
  }
  if (g_started.sound) ReleaseSoundStep();
  g_Game.Release();
  ForgetLostSurfaceLists();
  if (g_started.fonts) ReleaseFontsAndDigitStrips();
  if (g_started.graphics) DDRelease();
  StopInputStep();
  UnhookKeyboardStep();
  if (g_started.projectData) StopProjectData();
  g_started = StartedParts{};
}
