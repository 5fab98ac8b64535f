#include "graphics/surfaces/surface_lock.h"

#include "foundation/log.h"
#include "graphics/device/device.h"

bool cSurfaceLock::Lock(DDSURFACEDATA* lpSD) { return LockPixels(lpSD, true); }

bool cSurfaceLock::LockForReading(DDSURFACEDATA* lpSD) { return LockPixels(lpSD, false); }

bool cSurfaceLock::LockPixels(DDSURFACEDATA* lpSD, bool write) {
  Unlock();
  if (!lpSD) return false;
  if (lpDTCon) {
    ResolveAliasSurface(&lpSD);
    RedirectToVirBackBuffer(&lpSD);
  }
  cPixelBuffer* pixels = SurfacePixels(lpSD);
  if (!pixels || pixels->Empty()) {
    if (lpDTCon) {
      m_failedCall = "FAILED( lpSD->lpDT->lpSurface->LockRect(&(lock), NULL, 0) )";
      DebugBoxF("%s", m_failedCall.c_str());
    } else {
      Format(m_failedCall, "Lock Err %s", lpSD->szLabel);
      DebugLog(m_failedCall);
    }
    return false;
  }
  m_lpSD = lpSD;
  if (write) {
    m_writer = pixels;
    m_writer->OpenWriter();
    m_lpBits = pixels->Bits();
  } else {
    m_lpBits = const_cast<void*>(static_cast<const cPixelBuffer*>(pixels)->Bits());
  }
  m_nPitch = pixels->Pitch();
  m_nBytes = pixels->BytesPerPixel();
  m_nBpp = m_nBytes * 8;
  m_nBufferWidth = pixels->Width();
  m_nBufferHeight = pixels->Height();
  return true;
}

void cSurfaceLock::Unlock() {
  if (m_writer) m_writer->CloseWriter();
  m_writer = nullptr;
  m_lpSD = nullptr;
  m_lpBits = nullptr;
}

bool DDLock(DDSURFACEDATA* lpSD, DDSURFACEDESC2* lpDesc, void** ppBits, int nBpp) {
  if (lpDTCon) {
    DebugLog(Cp932Literal("D3DではDDLockは未対応"));
    return false;
  }
  cPixelBuffer* pixels = SurfacePixels(lpSD);
  if (!pixels || pixels->Empty()) return false;
  lpDesc->dwSize = 124;
  lpDesc->dwWidth = pixels->Width();
  lpDesc->dwHeight = pixels->Height();
  lpDesc->lPitch = pixels->Pitch() * pixels->BytesPerPixel();
  lpDesc->lpSurface = pixels->Bits();
  if (nBpp == 8 || nBpp == 16 || nBpp == 24 || nBpp == 32) *ppBits = pixels->Bits();
  return true;
}
