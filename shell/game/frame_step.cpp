#include "shell/game/frame_step.h"

#include <atomic>
#include <mutex>
#include <vector>

#include "foundation/log.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/device/device_restore.h"
#include "graphics/blits/fill.h"
#include "graphics/text/font_setup.h"
#include "platform/main_thread.h"
#include "platform/presenter.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/game/game_clock.h"
#include "shell/game/timers.h"
#include "shell/init/system_ini.h"
#include "shell/requests/game_requests.h"
#include "shell/subsystems/subsystem_steps.h"

namespace {

std::atomic<int> g_frameTiming{1};
std::mutex g_listsMutex;
std::vector<SurfaceList> g_lostSurfaceLists;

bool FastStage() {
  return g_pStageScene.load() != nullptr && g_Game.m_nFps > 60;
}

int RestoreDigitStrips() {
  for (int i = 0; i < kFontCount; ++i) {
    DDSURFACEDATA& strip = g_NumberSD[i];
    if (!strip.bLost) continue;
    DrawDigits(&strip, &g_Fonts[i]);
    strip.bLost = 0;
  }
  return 1;
}

// A state whose scene does not exist yet shows an empty screen.
void DrawClearedFrame() {
  if (lpDTCon)
    DDFillSurfaceRGB(&BackBuffer, 0xFF000000);
  else
    DDFillSurface(&BackBuffer, 0);
}

}  // namespace

void SetFrameTiming(int on) { g_frameTiming.store(on); }

void WaitNextFrame() {
  if (lpDTCon) return;
  while (!FrameDue(g_Game.m_nFps)) {
    if (!GameSleepMs(1)) return;
  }
}

void AddLostSurfaceList(SurfaceList restore) {
  std::lock_guard lock(g_listsMutex);
  g_lostSurfaceLists.push_back(std::move(restore));
}

void ForgetLostSurfaceLists() {
  std::lock_guard lock(g_listsMutex);
  g_lostSurfaceLists.clear();
}

int RestoreLostSurfaces() {
  if (lpDTCon) return 1;
  if (platform::GetPresenter().State() == platform::DeviceState::Ok) return 1;
  if (!DDRestore()) return 0;
  std::vector<SurfaceList> lists;
  {
    std::lock_guard lock(g_listsMutex);
    lists = g_lostSurfaceLists;
  }
  for (const SurfaceList& restore : lists) {
    if (!restore()) return 0;
  }
  return RestoreDigitStrips();
}

void PollInput() { PollInputStep(); }

void PresentFrame() {
  if (lpDTCon) {
    // The display's vertical blank is waited for by the main thread, which
    // shows the frames; the game thread keeps its own pace all the same.
    if (g_DDState.bVSync) WaitForDirect3DFrame(g_Game.m_nFps);
    // A lost device is restored at once, in full screen too: a full-screen
    // window here keeps the focus through a loss, so no return of the focus
    // would ever bring the device back.
    if (!DDPresent(g_Game.m_nFps, 0, 0) && lpDTCon) platform::SendRequest(WM_GAME_RESTORE);
    return;
  }
  if (!g_bWindowed && !g_frameTiming.load() && !FastStage())
    DDFlip();
  else
    DDBlt(&PrimarySD, 0, 0, BackBuffer.nWidth, BackBuffer.nHeight, &BackBuffer, 0, 0, 0);
}

int cGame::Frame() {
  WaitNextFrame();
  ++g_dwFrameCount;
  ResetElapsedTime();
  if (!lpDTCon && !RestoreLostSurfaces()) return 0;
  PollInput();
  try {
    SwitchScene(m_nState);
  } catch (const char* text) {
    DebugLogAndClose("%s", text);
  }
  if (cScene* scene = Scene(m_nState))
    scene->Run();
  else
    DrawClearedFrame();
  const int fps = CountFps(1);
  g_dwFrameTime = GetLapTime(1);
  if (cStageSceneBase* stage = g_pStageScene.load()) stage->m_nFrameRate = fps;
  if (g_SystemIni.ShowFps) DrawFpsLine(fps, g_dwFrameTime);
  PresentFrame();
  return 1;
}
