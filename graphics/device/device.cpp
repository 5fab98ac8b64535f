#include "graphics/device/device.h"

#include <chrono>
#include <thread>

#include "foundation/log.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/blits/blit.h"
#include "graphics/images/palette.h"
#include "graphics/device/render_target.h"
#include "graphics/device/screen_output.h"
#include "graphics/blits/screen_services.h"
#include "graphics/surfaces/surface_list.h"

DDDEVICESTATE g_DDState;
DTCONTEXT* lpDTCon = nullptr;
DDCONTEXT* lpDDCon = nullptr;
int g_bDDInitOnce = 0;

DDSURFACEDATA PrimarySD;
DDSURFACEDATA BackBuffer;
DDSURFACEDATA DDWorkSD;
DDSURFACEDATA VirBackBuffer;
DDSURFACEDATA WorkSD;

namespace {

PaceFrameFunc g_PaceFrame = nullptr;

// The channel layout of 32-bit pixels (alpha only in Direct3D mode).
void SetPixelFormat32(bool withAlpha) {
  g_PixelFormat = {16, 8, 0, withAlpha ? 24u : 0u, 255, 255, 255, withAlpha ? 255u : 0u};
}

// The palette the screen starts with before the game's palette is loaded.
// Flags: 1 reserved for the game, 2 an entry of the system palette itself.
void SetStartPalette(int nWindowMode) {
  PaletteArray start;
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<std::uint8_t>(i);
    const bool systemEntry = i < 10 || i >= 246;
    if (nWindowMode == 0)
      start[i] = {v, v, 0, 1};
    else
      start[i] = systemEntry ? PALETTEENTRY{v, 0, 0, 2} : PALETTEENTRY{v, v, 0, 1};
  }
  if (nWindowMode == 0) start[0] = {0, 0, 255, 1};
  DDSetScreenPalette(start.data(), 0, 256);
}

bool InitDirectDraw(int nWidth, int nHeight, int nWindowMode) {
  if (g_bDDInitOnce) DDRelease();
  lpDDCon = new DDCONTEXT;
  g_DDState.lpDDContext = lpDDCon;
  if (nWindowMode != 0 && nWindowMode != 1) return true;
  g_DDState.bDirectDraw = 1;
  SetSurfaceLabel(&PrimarySD, "PrimarySD");
  SetSurfaceLabel(&BackBuffer, "BackBuffer");
  SetSurfaceLabel(&DDWorkSD, "DDWorkSD");
  if (!DDCreateSurface(&PrimarySD, nWidth, nHeight, 0, 0, 0, 0, 0) ||
      !DDCreateSurface(&BackBuffer, nWidth, nHeight, 0, 0, 0, 0, 0) ||
      !DDCreateSurface(&DDWorkSD, nWidth, nHeight, 0, 1, 0, 0, 0)) {
    Report("Primary CreateSurface Err");
    DebugLog("CREATESURFACE_ERR");
    return false;
  }
  SetStartPalette(nWindowMode);
  if (g_DDState.nBpp == 32) SetPixelFormat32(false);
  ConfigureScreenOutput(nWindowMode == 0, g_DDState.bVSync);
  return true;
}

bool InitDirect3D(int nWidth, int nHeight, int nRequestedBpp) {
  if (nRequestedBpp != 16 && nRequestedBpp != 32) {
    Report("Direct3D: %d bpp is not supported", nRequestedBpp);
    return false;
  }
  lpDTCon = new DTCONTEXT;
  g_DDState.lpContext = lpDTCon;
  g_DDState.bDirect3D = 1;
  SetPixelFormat32(true);
  Report("Device HAL-HARD");
  Report("X8R8G8B8");
  DDResetDrawColor();
  DDResetColorOp();
  DDResetAlphaOp();

  BackBuffer.lpDT = new DTDATA;
  BackBuffer.lpDT->bRenderTarget = 1;
  BackBuffer.lpDT->lpSurface = new cPixelBuffer;
  if (!BackBuffer.lpDT->lpSurface->Allocate(nWidth, nHeight, 4)) {
    Report("Back CreateVertexBuffer Err %x", kOutOfMemoryResult);
    return false;
  }
  BackBuffer.nWidth = BackBuffer.nTexWidth = nWidth;
  BackBuffer.nHeight = BackBuffer.nTexHeight = nHeight;
  SetSurfaceLabel(&BackBuffer, "BackBuffer");
  lpDTCon->dwNextSerial = 1;

  DDSetVirBackBufferMode(0);
  lpDTCon->bVirCopy = 0;
  DDCreateSurface(&VirBackBuffer, nWidth, nHeight, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  SetSurfaceLabel(&VirBackBuffer, "VirBackBuffer");
  DDCreateSurface(&WorkSD, nWidth, nHeight, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  SetSurfaceLabel(&WorkSD, "WorkSD");
  ConfigureScreenOutput(g_DDState.nWindowMode == 0, g_DDState.bVSync);
  return true;
}

}  // namespace

bool DDInit(int nUseD3D, int nWidth, int nHeight, int nBpp, int bVSync, int nWindowMode, int nBackBufferCount,
            int nRefreshRate, int bUseRefreshRate, DDSURFACEDATA* lpBmpSD, BMPFILEDATA* lpBmpTable, int nBmpCount) {
  g_DDState.nUseD3D = nUseD3D;
  g_DDState.nWidth = nWidth;
  g_DDState.nHeight = nHeight;
  // 8 bits stay indexed; every true-colour request runs as 32 bits.
  g_DDState.nBpp = nBpp == 8 && !nUseD3D ? 8 : 32;
  g_DDState.nBytesPerPixel = g_DDState.nBpp / 8;
  g_DDState.bVSync = bVSync;
  g_DDState.nWindowMode = nWindowMode;
  g_DDState.nBackBufferCount = nBackBufferCount;
  g_DDState.nRefreshRate = nRefreshRate;
  g_DDState.bUseRefreshRate = bUseRefreshRate;
  g_DDState.lpBmpSD = lpBmpSD;
  g_DDState.lpBmpTable = lpBmpTable;
  g_DDState.nBmpCount = nBmpCount;
  Report("VSync : %d", bVSync);
  const bool ok = nUseD3D ? InitDirect3D(nWidth, nHeight, nBpp) : InitDirectDraw(nWidth, nHeight, nWindowMode);
  if (!ok) return false;
  g_DDState.bInitialized = 1;
  g_bDDInitOnce = 1;
  // While the layer owns a full screen, message boxes go through it.
  if (nWindowMode == 0) SetMesBoxRoute(&DDMesBox);
  return true;
}

void DDRelease() {
  SetMesBoxRoute(nullptr);
  for (int i = 0; i < g_DDState.nBmpCount && g_DDState.lpBmpSD; ++i) DDReleaseSurface(&g_DDState.lpBmpSD[i]);
  if (g_DDState.bDirectDraw) {
    DDReleaseSurface(&BackBuffer);
    DDReleaseSurface(&PrimarySD);
    DDReleaseSurface(&DDWorkSD);
    ShowDirectDrawLeakBox();
    g_DDState.bDirectDraw = 0;
  }
  if (g_DDState.bDirect3D) {
    DDReleaseSurface(&WorkSD);
    DDReleaseSurface(&VirBackBuffer);
    DDReleaseSurface(&BackBuffer);
    ReportTexturesLeftAlive();
    // Without a device the list has nothing left to restore.
    g_SurfaceList.clear();
    g_DDState.bDirect3D = 0;
  }
  delete lpDDCon;
  lpDDCon = nullptr;
  g_DDState.lpDDContext = nullptr;
  delete lpDTCon;
  lpDTCon = nullptr;
  g_DDState.lpContext = nullptr;
  g_DDState.nUseD3D = 0;
}

void SetPaceFrameD3D(PaceFrameFunc pace) { g_PaceFrame = pace; }

int DDPresent(int nFps, int bOverlay, std::uint32_t dwOverlayColor) {
  if (!lpDTCon) return 1;
  if (lpDTCon->bVirBackBuffer) CopyVirBackBuffer(&BackBuffer, &VirBackBuffer);
  if (!g_DDState.bVSync && g_PaceFrame) {
    while (!g_PaceFrame(nFps, bOverlay, dwOverlayColor)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  DDEndScene();
  return ShowScreenSurface(&BackBuffer) ? 1 : 0;
}

void DDFlip() { ShowScreenSurface(&BackBuffer); }

void DDSetVirBackBufferMode(int bOn) {
  if (!lpDTCon) return;
  if (lpDTCon->bVirBackBuffer && !bOn && VirBackBuffer.lpDT && VirBackBuffer.lpDT->lpSurface)
    CopyVirBackBuffer(&BackBuffer, &VirBackBuffer);
  lpDTCon->bVirBackBuffer = bOn;
  lpDTCon->lpDefaultTarget = bOn ? &BackBuffer : &VirBackBuffer;
  if (lpDTCon->lpDefaultTarget->lpDT && lpDTCon->lpDefaultTarget->lpDT->lpSurface)
    DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
}

int RedirectToVirBackBuffer(DDSURFACEDATA** ppSD) {
  if (!lpDTCon || !lpDTCon->bVirBackBuffer || *ppSD != &BackBuffer) return 0;
  *ppSD = &VirBackBuffer;
  return 1;
}

void CopyVirBackBuffer(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) {
  lpDTCon->bVirCopy = 1;
  DDSetAlphaOp(1);
  DDBlt(lpDst, 0, 0, lpSrc->nWidth, lpSrc->nHeight, lpSrc, 0, 0, 0);
  DDResetAlphaOp();
  lpDTCon->bVirCopy = 0;
}

void ResolveAliasSurface(DDSURFACEDATA** ppSD) {
  if (lpDTCon && *ppSD && (*ppSD)->lpAlias) *ppSD = (*ppSD)->lpAlias;
}

void DDSetDrawColor(std::uint32_t dwColor) {
  if (lpDTCon) lpDTCon->dwDrawColor = dwColor;
}
void DDResetDrawColor() { DDSetDrawColor(0xFFFFFFFF); }
void DDSetColorOp(std::uint32_t dwOp) {
  if (lpDTCon) lpDTCon->dwColorOp = dwOp;
}
void DDResetColorOp() { DDSetColorOp(4); }
void DDSetAlphaOp(std::uint32_t dwOp) {
  if (lpDTCon) lpDTCon->dwAlphaOp = dwOp;
}
void DDResetAlphaOp() { DDSetAlphaOp(2); }
