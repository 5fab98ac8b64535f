#include "graphics/images/bitmap_load.h"

#include <algorithm>
#include <array>

#include "foundation/log.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/images/palette.h"
#include "graphics/device/render_target.h"
#include "graphics/surfaces/surface_list.h"

namespace {

// Position of x after flipping it inside its cell of the given width.
int MirrorInCell(int x, int cell) { return cell > 0 ? (x / cell + 1) * cell - (x % cell) - 1 : x; }

// The palette number whose colour is nearest (first of equals) to rgb.
std::uint8_t NearestPaletteNumber(std::uint32_t rgb) {
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 256; ++i) {
    const PALETTEENTRY& pe = g_PalEntries[i];
    const long dr = long((rgb >> 16) & 0xFF) - pe.peRed, dg = long((rgb >> 8) & 0xFF) - pe.peGreen,
               db = long(rgb & 0xFF) - pe.peBlue;
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<std::uint8_t>(best);
}

// The palette number each index of the file's colour table is drawn with:
// an index whose colour the game's palette shows at the same number is kept;
// any other is matched by colour, as the screen palette would show the file.
std::array<std::uint8_t, 256> PaletteNumbersOfTable(const cImage& image) {
  std::array<std::uint8_t, 256> numbers{};
  for (int i = 0; i < 256; ++i) {
    const PALETTEENTRY& pe = g_PalEntries[i];
    const std::uint32_t own = std::uint32_t(pe.peRed) << 16 | std::uint32_t(pe.peGreen) << 8 | pe.peBlue;
    const std::uint32_t rgb = image.palette[i] & 0xFFFFFF;
    numbers[i] = rgb == own ? static_cast<std::uint8_t>(i) : NearestPaletteNumber(rgb);
  }
  return numbers;
}

// DirectDraw: writes the overlap of image and surface, each pixel at its
// mirrored place when mirror cells are given (places outside are skipped).
void WriteImage(cPixelBuffer* pixels, const cImage& image, int nMirrorW, int nMirrorH) {
  const int w = std::min(image.width, pixels->Width()), h = std::min(image.height, pixels->Height());
  std::uint32_t lastRgb = 0xFFFFFFFF;
  std::uint8_t lastNumber = 0;
  std::array<std::uint8_t, 256> tableNumbers{};
  if (image.indexed && pixels->BytesPerPixel() == 1) tableNumbers = PaletteNumbersOfTable(image);
  for (int y = 0; y < h; ++y) {
    const int ty = MirrorInCell(y, nMirrorH);
    if (ty >= h) continue;
    for (int x = 0; x < w; ++x) {
      const int tx = MirrorInCell(x, nMirrorW);
      if (tx >= w) continue;
      if (pixels->BytesPerPixel() == 4) {
        pixels->Row32(ty)[tx] = image.Pixel(x, y) & 0xFFFFFF;
      } else if (image.indexed) {
        pixels->Row8(ty)[tx] = tableNumbers[image.indices[std::size_t(y) * image.width + x]];
      } else {
        const std::uint32_t rgb = image.pixels[std::size_t(y) * image.width + x] & 0xFFFFFF;
        if (rgb != lastRgb) {
          lastRgb = rgb;
          lastNumber = NearestPaletteNumber(rgb);
        }
        pixels->Row8(ty)[tx] = lastNumber;
      }
    }
  }
}

void KeepPixelCopy(cPixelBuffer*& keep, const cPixelBuffer* pixels, int bKeepPixels) {
  delete keep;
  keep = bKeepPixels && g_DDState.nBpp > 8 && pixels ? new cPixelBuffer(*pixels) : nullptr;
}

bool CopyImage(DDSURFACEDATA* lpSD, const cImage& image, const char* file, int bKeepPixels, int nMirrorW,
               int nMirrorH) {
  cPixelBuffer* pixels = SurfacePixels(lpSD);
  if (!pixels) return false;
  if (lpSD->nWidth != image.width || lpSD->nHeight != image.height)
    DebugLogF("CopyBitmap Err %s Surface(%d,%d) Bmp(%d,%d)", file, lpSD->nWidth, lpSD->nHeight, image.width,
              image.height);
  WriteImage(pixels, image, nMirrorW, nMirrorH);
  KeepPixelCopy(lpSD->lpDD->lpKeepPixels, pixels, bKeepPixels);
  return true;
}

int LoadDirectDraw(DDSURFACEDATA* lpSD, const char* file, int bColorKey, int bSystemMemory, int bKeepPixels,
                   int nMirrorW, int nMirrorH) {
  cImage image;
  if (!LoadImageFile(file, image)) {
    DebugLog(file);
    return 8;
  }
  if (!DDCreateSurface(lpSD, image.width, image.height, bColorKey, bSystemMemory, 0, 0, 0)) return 4;
  if (!CopyImage(lpSD, image, file, bKeepPixels, nMirrorW, nMirrorH)) return 8;
  lpSD->nMirrorW = nMirrorW;
  lpSD->nMirrorH = nMirrorH;
  SetSurfaceFile(lpSD, file);
  lpSD->bSystemMemory = bSystemMemory;
  return 0;
}

// Direct3D: the image as texels; with the colour key, texels equal to the
// opaque transparent colour become transparent black.
void WriteTexels(cPixelBuffer* texture, const cImage& image, bool colourKey) {
  const std::uint32_t key = lpDTCon->dwTransOpaque;
  for (int y = 0; y < image.height; ++y) {
    std::uint32_t* row = texture->Row32(y);
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.Pixel(x, y);
      row[x] = colourKey && p == key ? 0 : p;
    }
  }
}

// A texture that cannot be made from the file: a render target names the file
// and fails; a system-memory texture is fatal (report, message and close).
int TextureFromFileFailed(int nMemType, std::uint32_t result, const char* file) {
  if (nMemType != DTMEMORYTYPE_SYSTEM) {
    Report(Cp932Literal("テクスチャの作成に失敗。(%s)"), file);
  } else {
    Report("D3DXCreateTextureFromFileEx Err %x %s", result, file);
    CloseOnTextureFailure();
  }
  return 8;
}

int LoadDirect3D(DDSURFACEDATA* lpSD, const char* file, int bColorKey, int bSystemMemory, int nMemType,
                 int bNoTexture, int bKeepPixels, int nMirrorW, int nMirrorH, int bRestore) {
  DTDATA* dt = lpSD->lpDT;
  if (!bRestore) {
    SetSurfaceLabel(lpSD, "OffScreenFromFile");
    SetSurfaceFile(lpSD, file);
    dt->nMemType = nMemType;
    dt->bColorKey = bColorKey == 1;
    if (!bNoTexture) dt->dwSerial = lpDTCon->dwNextSerial++;
  }
  // A system-memory texture survives a device reset.
  if (bRestore && dt->nMemType == DTMEMORYTYPE_SYSTEM && dt->lpSurface) return 0;
  cImage image;
  if (!LoadImageFile(file, image)) return TextureFromFileFailed(dt->nMemType, kInvalidDataResult, file);
  if (bNoTexture) {
    // An alias shows its owner's texture and never holds one of its own.
    lpSD->nWidth = lpSD->nTexWidth = image.width;
    lpSD->nHeight = lpSD->nTexHeight = image.height;
    lpSD->bSystemMemory = bSystemMemory;
    lpSD->nMirrorW = nMirrorW;
    lpSD->nMirrorH = nMirrorH;
    return 0;
  }
  int texWidth = image.width, texHeight = image.height;
  FitTextureSize(&texWidth, &texHeight, file);
  if (dt->nMemType == DTMEMORYTYPE_VIDEO_NORT) {
    DebugLog(Cp932Literal("DDCreateSurfaceFromFile Err DTMEMORYTYPE_VIDEO_NORTの指定は未対応です。"
                          "DTMEMORYTYPE_VIDEO_RTでテクスチャを作成します。"));
    dt->nMemType = DTMEMORYTYPE_VIDEO_RT;
  }
  auto* texture = new cPixelBuffer;
  if (!texture->Allocate(texWidth, texHeight, 4)) {
    delete texture;
    return TextureFromFileFailed(dt->nMemType, kOutOfMemoryResult, file);
  }
  delete dt->lpSurface;
  dt->lpSurface = texture;
  dt->bRenderTarget = dt->nMemType == DTMEMORYTYPE_VIDEO_RT;
  lpSD->nWidth = image.width;
  lpSD->nHeight = image.height;
  lpSD->nTexWidth = texWidth;
  lpSD->nTexHeight = texHeight;
  if (nMirrorW > 0 || nMirrorH > 0) {
    DDSURFACEDATA plain;
    const int result = DDCreateSurfaceFromFile(&plain, file, bColorKey, g_DDState.nBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0,
                                               0, 0, 0);
    const bool mirrored = result == 0 && CreateMirror(lpSD, &plain, nMirrorW, nMirrorH);
    DDReleaseSurface(&plain);
    if (!mirrored) {
      Report("CreateMirror Err");
      return 1;
    }
  } else {
    WriteTexels(texture, image, bColorKey == 1);
  }
  if (!bRestore) SurfaceListAppend(lpSD);
  lpSD->bSystemMemory = bSystemMemory;
  lpSD->nMirrorW = nMirrorW;
  lpSD->nMirrorH = nMirrorH;
  KeepPixelCopy(dt->lpKeepPixels, texture, bKeepPixels);
  return 0;
}

}  // namespace

int DDCreateSurfaceFromFile(DDSURFACEDATA* lpSD, const char* file, int bColorKey, int, int bSystemMemory,
                            int nMemType, int bNoTexture, int bKeepPixels, int nMirrorW, int nMirrorH, int bRestore) {
  if (!lpSD || !file) return 8;
  DDAllocSurfaceData(lpSD);
  if (lpDTCon) {
    if (!lpSD->lpDT) return 4;
    return LoadDirect3D(lpSD, file, bColorKey, bSystemMemory, nMemType, bNoTexture, bKeepPixels, nMirrorW, nMirrorH,
                        bRestore);
  }
  if (!lpSD->lpDD) return 4;
  return LoadDirectDraw(lpSD, file, bColorKey, bSystemMemory, bKeepPixels, nMirrorW, nMirrorH);
}

bool CopyBitmap(DDSURFACEDATA* lpSD, const char* file, int bKeepPixels, int nMirrorW, int nMirrorH) {
  if (lpDTCon || !file || !*file) return true;
  if (!lpSD || !lpSD->lpDD) return false;
  cImage image;
  if (!LoadImageFile(file, image)) return false;
  return CopyImage(lpSD, image, file, bKeepPixels, nMirrorW, nMirrorH);
}

bool CreateMirror(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int nCellW, int nCellH) {
  if (!lpDTCon || nCellW <= 0 || nCellH != 0) return true;
  cPixelBuffer* pixels = SurfacePixels(lpDst);
  if (!pixels) return false;
  pixels->Clear(lpDTCon->dwClearColor);
  for (int i = 0; i < lpSrc->nWidth / nCellW; ++i)
    DDBltStretch(lpDst, i * nCellW, 0, nCellW, lpSrc->nHeight, lpSrc, i * nCellW + nCellW, 0, -nCellW,
                 lpSrc->nHeight, 0);
  return true;
}

bool DDReloadBitmap(DDSURFACEDATA* lpSD) {
  if (lpDTCon) return true;
  if (!lpSD || !lpSD->lpDD) return false;
  return CopyBitmap(lpSD, lpSD->szFile, lpSD->lpDD->lpKeepPixels != nullptr, lpSD->nMirrorW, lpSD->nMirrorH);
}

int CheckBitmapSize(int* pbLarger, const char* file, int w, int h) {
  if (lpDTCon) return 1;
  cImage image;
  if (!LoadImageFile(file, image)) return 0;
  *pbLarger = image.width > w || image.height > h ? 1 : 0;
  return 1;
}
