#include "graphics/surfaces/surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "foundation/log.h"
#include "graphics/device/device.h"
#include "graphics/blits/fill.h"
#include "graphics/device/render_target.h"
#include "graphics/surfaces/surface_list.h"
#include "platform/main_thread.h"

DDSURFACEDATA::DDSURFACEDATA(DDSURFACEDATA&& other) noexcept { *this = std::move(other); }

DDSURFACEDATA& DDSURFACEDATA::operator=(DDSURFACEDATA&& other) noexcept {
  if (this == &other) return *this;
  lpDT = std::exchange(other.lpDT, nullptr);
  lpDD = std::exchange(other.lpDD, nullptr);
  std::memcpy(szLabel, other.szLabel, sizeof szLabel);
  nWidth = other.nWidth;
  nHeight = other.nHeight;
  nTexWidth = other.nTexWidth;
  nTexHeight = other.nTexHeight;
  std::memcpy(szFile, other.szFile, sizeof szFile);
  bSystemMemory = other.bSystemMemory;
  nMirrorW = other.nMirrorW;
  nMirrorH = other.nMirrorH;
  lpAlias = other.lpAlias;
  bLost = other.bLost;
  RepointSurfaceListEntries(&other, this);
  return *this;
}

cPixelBuffer* SurfacePixels(DDSURFACEDATA* lpSD) {
  if (!lpSD) return nullptr;
  if (lpDTCon) {
    if (lpSD->lpAlias) lpSD = lpSD->lpAlias;
    return lpSD->lpDT ? lpSD->lpDT->lpSurface : nullptr;
  }
  return lpSD->lpDD ? lpSD->lpDD->lpSurface : nullptr;
}

void DDAllocSurfaceData(DDSURFACEDATA* lpSD) {
  if (g_DDState.nUseD3D) {
    if (!lpSD->lpDT) lpSD->lpDT = new DTDATA;
  } else if (!lpSD->lpDD) {
    lpSD->lpDD = new DDHOLDER;
  }
}

void SetSurfaceLabel(DDSURFACEDATA* lpSD, const char* label) {
  std::strncpy(lpSD->szLabel, label, sizeof lpSD->szLabel - 1);
  lpSD->szLabel[sizeof lpSD->szLabel - 1] = '\0';
}

void SetSurfaceFile(DDSURFACEDATA* lpSD, const char* file) {
  std::strncpy(lpSD->szFile, file, sizeof lpSD->szFile - 1);
  lpSD->szFile[sizeof lpSD->szFile - 1] = '\0';
}

namespace {

int NextPowerOfTwo(int n) {
  int p = 1;
  while (p < n && p < (1 << 30)) p <<= 1;
  return p;
}

bool CreateDirectDrawSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int bSystemMemory) {
  auto* pixels = new cPixelBuffer;
  if (!pixels->Allocate(nWidth, nHeight, g_DDState.nBytesPerPixel)) {
    delete pixels;
    Report(bSystemMemory ? "CreateSurface System Err" : "CreateSurface Video -> System Err");
    return false;
  }
  lpSD->lpDD->lpSurface = pixels;
  CountSurfaceCreated();
  lpSD->lpDD->bColorKey = bColorKey == 1;
  lpSD->nWidth = lpSD->nTexWidth = nWidth;
  lpSD->nHeight = lpSD->nTexHeight = nHeight;
  lpSD->bSystemMemory = bSystemMemory;
  DDFillRect(lpSD, 0, 0, nWidth, nHeight, 0);
  return true;
}

bool CreateDirect3DSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int bSystemMemory,
                           int nMemType, int bNoTexture, int bRestore) {
  DTDATA* dt = lpSD->lpDT;
  if (!bRestore) {
    SetSurfaceLabel(lpSD, "OffScreen");
    SetSurfaceFile(lpSD, "E");
    dt->nMemType = nMemType;
    dt->bColorKey = bColorKey == 1;
    if (!bNoTexture) dt->dwSerial = lpDTCon->dwNextSerial++;
  }
  if (bNoTexture) {
    lpSD->nWidth = lpSD->nTexWidth = nWidth;
    lpSD->nHeight = lpSD->nTexHeight = nHeight;
    lpSD->bSystemMemory = bSystemMemory;
    return true;
  }
  if (nWidth < 1 || nHeight < 1) return false;
  int texWidth = nWidth, texHeight = nHeight;
  FitTextureSize(&texWidth, &texHeight, Cp932Literal("空"));
  if (dt->nMemType == DTMEMORYTYPE_VIDEO_NORT) dt->nMemType = DTMEMORYTYPE_VIDEO_RT;
  if (bRestore && dt->nMemType == DTMEMORYTYPE_SYSTEM && dt->lpSurface) {
    // A system-memory texture survives a device reset.
    return true;
  }
  auto* pixels = new cPixelBuffer;
  if (!pixels->Allocate(texWidth, texHeight, 4)) {
    delete pixels;
    // A render target that cannot be made only fails; a system-memory texture
    // is the last resort, and without it the game cannot go on.
    if (dt->nMemType == DTMEMORYTYPE_SYSTEM) {
      Report("D3DXCreateTexture Err hr = %x", kOutOfMemoryResult);
      CloseOnTextureFailure();
    }
    return false;
  }
  delete dt->lpSurface;
  dt->lpSurface = pixels;
  dt->bRenderTarget = dt->nMemType == DTMEMORYTYPE_VIDEO_RT;
  lpSD->nWidth = nWidth;
  lpSD->nHeight = nHeight;
  lpSD->nTexWidth = texWidth;
  lpSD->nTexHeight = texHeight;
  if (DDSetRenderTarget(0, lpSD)) {
    pixels->Clear(lpDTCon->dwTransOpaque);
    DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
  }
  if (!bRestore) SurfaceListAppend(lpSD);
  return true;
}

}  // namespace

void CloseOnTextureFailure() {
  if (lpDTCon && !lpDTCon->strTextureFailure.empty()) ErrorBoxF("%s", lpDTCon->strTextureFailure.c_str());
  platform::RequestClose();
}

void FitTextureSize(int* pWidth, int* pHeight, const char* what) {
  if (!lpDTCon) return;
  if (lpDTCon->bPow2Only) {
    *pWidth = NextPowerOfTwo(*pWidth);
    *pHeight = NextPowerOfTwo(*pHeight);
  }
  if (lpDTCon->bSquareOnly) *pWidth = *pHeight = std::max(*pWidth, *pHeight);
  bool fits = true;
  if (*pWidth > lpDTCon->nMaxTextureWidth) {
    Report(Cp932Literal("このビデオカードでは横幅%dを超える画像はサポートされていません！"),
            lpDTCon->nMaxTextureWidth);
    fits = false;
  }
  if (*pHeight > lpDTCon->nMaxTextureHeight) {
    Report(Cp932Literal("このビデオカードでは縦幅%dを超える画像はサポートされていません！"),
            lpDTCon->nMaxTextureHeight);
    fits = false;
  }
  if (!fits)
    Report(Cp932Literal("上記の理由でテクスチャの描画が失敗する可能性があります。(%s)"), what);
}

bool DDCreateSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int bSystemMemory, int nMemType,
                     int bNoTexture, int bRestore) {
  if (!lpSD) return false;
  DDAllocSurfaceData(lpSD);
  if (lpDTCon) {
    if (!lpSD->lpDT) return false;
    return CreateDirect3DSurface(lpSD, nWidth, nHeight, bColorKey, bSystemMemory, nMemType, bNoTexture, bRestore);
  }
  if (!lpSD->lpDD) return false;
  if (lpSD->lpDD->lpSurface) {
    delete std::exchange(lpSD->lpDD->lpSurface, nullptr);
    CountSurfaceReleased();
  }
  return CreateDirectDrawSurface(lpSD, nWidth, nHeight, bColorKey, bSystemMemory);
}

void DDReleaseSurface(DDSURFACEDATA* lpSD) {
  if (!lpSD) return;
  if (DTDATA* dt = lpSD->lpDT) {
    if (!lpSD->lpAlias) {
      SurfaceListRemoveSerial(dt->dwSerial, lpSD);
      delete dt->lpSurface;
      delete dt->lpKeepPixels;
    }
    delete dt;
    lpSD->lpDT = nullptr;
  }
  if (DDHOLDER* dd = lpSD->lpDD) {
    if (dd->lpSurface) CountSurfaceReleased();
    delete dd->lpSurface;
    delete dd->lpKeepPixels;
    delete dd;
    lpSD->lpDD = nullptr;
  }
}

bool CheckSurfaceErr(int result) {
  switch (result) {
    case 4: DebugLog("CREATESURFACE_ERR"); return false;
    case 8: DebugLog("LOADIMAGE_ERR"); return false;
    case 9: DebugLog("SETCOLORKEY_ERR"); return false;
    default: return true;
  }
}
