#pragma once
// Direct pixel access to a surface in either drawing mode (see the layout
// notes in graphics/surfaces/surface.h).

#include <cstdint>
#include <string>

#include "graphics/surfaces/surface.h"

class cSurfaceLock {
 public:
  cSurfaceLock() = default;
  cSurfaceLock(const cSurfaceLock&) = delete;
  cSurfaceLock& operator=(const cSurfaceLock&) = delete;
  ~cSurfaceLock() { Unlock(); }

  // Direct3D: an alias locks its owner, BackBuffer in virtual back-buffer
  // mode locks VirBackBuffer. False (logged) when the surface has no pixels.
  // The pixels may be written until Unlock.
  bool Lock(DDSURFACEDATA* lpSD);
  // The same for a caller that only reads the pixels: the surface keeps its
  // cache of opaque runs.
  bool LockForReading(DDSURFACEDATA* lpSD);
  void Unlock();
  // The failing call of the last Lock that failed, as the logs name it.
  const std::string& FailedCall() const { return m_failedCall; }

  DDSURFACEDATA* Surface() const { return m_lpSD; }  // the surface actually locked
  void* Bits() const { return m_lpBits; }
  int Pitch() const { return m_nPitch; }  // in pixels
  int BitsPerPixel() const { return m_nBpp; }
  int BytesPerPixel() const { return m_nBytes; }
  // Size of the locked pixel buffer (the texture size in Direct3D mode).
  int BufferWidth() const { return m_nBufferWidth; }
  int BufferHeight() const { return m_nBufferHeight; }

  std::uint8_t* Row8(int y) const { return static_cast<std::uint8_t*>(m_lpBits) + static_cast<long>(y) * m_nPitch; }
  std::uint32_t* Row32(int y) const { return static_cast<std::uint32_t*>(m_lpBits) + static_cast<long>(y) * m_nPitch; }

 private:
  bool LockPixels(DDSURFACEDATA* lpSD, bool write);

  DDSURFACEDATA* m_lpSD = nullptr;
  cPixelBuffer* m_writer = nullptr;  // the pixels locked for writing
  void* m_lpBits = nullptr;
  int m_nPitch = 0;
  int m_nBpp = 32;
  int m_nBytes = 4;
  int m_nBufferWidth = 0;
  int m_nBufferHeight = 0;
  std::string m_failedCall;
};

// The parts of a DirectDraw surface description a lock fills in.
struct DDSURFACEDESC2 {
  std::uint32_t dwSize = 0;
  int dwWidth = 0, dwHeight = 0;
  int lPitch = 0;  // in bytes
  void* lpSurface = nullptr;
};

// DirectDraw only: locks the whole surface (CPU pixels need no unlock).
// In Direct3D mode it logs and fails.
bool DDLock(DDSURFACEDATA* lpSD, DDSURFACEDESC2* lpDesc, void** ppBits, int nBpp);
