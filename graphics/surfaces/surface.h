#pragma once
// The surface record every drawing call takes, and its creation and release.
//
// ---------------------------------------------------------------------------
// Pixel layout and how an effect reads and writes pixels
// ---------------------------------------------------------------------------
// All drawing is done on the CPU. A surface's pixels live in a cPixelBuffer
// (graphics/surfaces/pixel_buffer.h) owned by the half of the record that belongs to
// the current drawing mode:
//   DirectDraw mode (`lpDTCon` == nullptr): `lpDD->lpSurface`.
//     8 bits per pixel: one byte a pixel, a palette number 0..255; the screen
//       shows it through the screen palette (graphics/images/palette.h).
//     32 bits per pixel (also asked for as 16 or 24): 0x00RRGGBB, alpha byte 0.
//     The transparent colour of a keyed blit is g_DDState.dwColorKey compared
//     with the palette number (8 bits) or with the low 24 bits (32 bits).
//   Direct3D mode (`lpDTCon` != nullptr): `lpDT->lpSurface`, always 32 bits,
//     0xAARRGGBB. Alpha 0 is see-through when the surface is drawn through
//     the quad path; textures loaded with the colour key have their
//     transparent pixels stored as 0x00000000. An alias (`lpAlias` set) has
//     no pixels of its own and shows its owner's.
// g_PixelFormat (graphics/images/palette.h) gives the channel shifts and masks of
// the current format; at 32 bits they are R 16, G 8, B 0 (and A 24 in
// Direct3D mode), each mask 255.
//
// To write an effect, lock the surface with cSurfaceLock (graphics/
// surface_lock.h); it resolves aliases and the virtual back buffer in
// Direct3D mode and works in both modes:
//
//   cSurfaceLock lock;
//   if (!lock.Lock(lpSD)) return;            // failure is logged by the lock
//   for (int y = 0; y < lpSD->nHeight; ++y) {
//     if (lock.BitsPerPixel() == 8) {
//       std::uint8_t* row = lock.Row8(y);     // palette numbers
//       ...
//     } else {
//       std::uint32_t* row = lock.Row32(y);   // 0xAARRGGBB / 0x00RRGGBB
//       ...
//     }
//   }
//   lock.Unlock();                            // also done by the destructor
//
// Only the drawable area nWidth x nHeight is meaningful; a Direct3D texture
// may be larger (nTexWidth x nTexHeight) when the device rounds sizes up.
// ---------------------------------------------------------------------------

#include <cstdint>

#include "graphics/surfaces/pixel_buffer.h"

// Memory type of a Direct3D texture.
enum DTMEMORYTYPE : int {
  DTMEMORYTYPE_VIDEO_RT = 0,    // render target: drawn to through the quad path
  DTMEMORYTYPE_SYSTEM = 1,      // not a render target: written through locks only
  DTMEMORYTYPE_VIDEO_NORT = 2,  // accepted and handled as DTMEMORYTYPE_VIDEO_RT
};

// The Direct3D half of a surface.
struct DTDATA {
  std::uint32_t dwSerial = 0;          // texture serial number; BackBuffer has 0
  cPixelBuffer* lpSurface = nullptr;   // the texture's pixels (BackBuffer: the device back buffer)
  int nMemType = DTMEMORYTYPE_VIDEO_RT;
  int bColorKey = 0;                   // 1: drawn with the transparent colour see-through
  int bRenderTarget = 0;
  cPixelBuffer* lpKeepPixels = nullptr;  // copy of the pixels of a keep-pixels surface
  // Set once a render target without its texture (taken by a device loss)
  // was reported; cleared when it takes drawing again, so that a loss is
  // said once and not in every frame until the device comes back.
  int bTargetLossReported = 0;
};

// The DirectDraw half of a surface.
struct DDHOLDER {
  cPixelBuffer* lpSurface = nullptr;
  cPixelBuffer* lpKeepPixels = nullptr;
  int bColorKey = 0;  // the source colour key was set on the surface
};

struct DDSURFACEDATA {
  DDSURFACEDATA() = default;
  // Copies would share and then double-free the pixel buffers.
  DDSURFACEDATA(const DDSURFACEDATA&) = delete;
  DDSURFACEDATA& operator=(const DDSURFACEDATA&) = delete;
  // Moving hands the buffers over and re-points g_SurfaceList at the new
  // address, so surfaces may live in growing vectors.
  DDSURFACEDATA(DDSURFACEDATA&& other) noexcept;
  DDSURFACEDATA& operator=(DDSURFACEDATA&& other) noexcept;
  ~DDSURFACEDATA() = default;  // release is explicit (DDReleaseSurface); the leak report counts what is left

  DTDATA* lpDT = nullptr;
  DDHOLDER* lpDD = nullptr;
  char szLabel[260] = {};
  int nWidth = 0, nHeight = 0;          // the size the caller asked for
  int nTexWidth = 0, nTexHeight = 0;    // the real size of the pixels
  char szFile[260] = {};                // source bitmap; "E" for surfaces created empty
  int bSystemMemory = 0;
  int nMirrorW = 0, nMirrorH = 0;       // mirror cells of a mirrored alias
  DDSURFACEDATA* lpAlias = nullptr;     // Direct3D: the owner whose texture this one shows
  int bLost = 0;
};

// The pixels a surface shows in the current mode (the owner's for a
// Direct3D alias), or nullptr when it has none.
cPixelBuffer* SurfacePixels(DDSURFACEDATA* lpSD);

// Makes sure the half of the current mode exists (an empty DTDATA or DDHOLDER).
void DDAllocSurfaceData(DDSURFACEDATA* lpSD);

bool DDCreateSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int bSystemMemory, int nMemType,
                     int bNoTexture, int bRestore);
void DDReleaseSurface(DDSURFACEDATA* lpSD);

// Writes the label into the record (cut to 259 bytes).
void SetSurfaceLabel(DDSURFACEDATA* lpSD, const char* label);
void SetSurfaceFile(DDSURFACEDATA* lpSD, const char* file);

// Fits a texture size to the device (powers of two, square) and warns when
// it exceeds the device maximum; `what` (CP932) names the surface in the
// warning, in brackets.
void FitTextureSize(int* pWidth, int* pHeight, const char* what);

// The result codes that texture failures report: out of memory, and a file
// that cannot be read as a picture.
inline constexpr std::uint32_t kOutOfMemoryResult = 0x8007000E;
inline constexpr std::uint32_t kInvalidDataResult = 0x88760B59;

// The end of a fatal texture failure (a system-memory texture that cannot be
// made): the context's texture-failure message, when set, in an error box,
// and the close request.
void CloseOnTextureFailure();

// 4, 8 and 9 are failure codes of the creation paths (logged); others pass.
bool CheckSurfaceErr(int result);
