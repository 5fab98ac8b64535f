#include <algorithm>
#include <cmath>
#include <numbers>

#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/effects/effect_quad.h"
#include "graphics/effects/fade.h"
#include "graphics/blits/quad.h"
#include "graphics/images/unpal.h"

namespace {

constexpr int kFadedOutColour = 16;

// Where a fade stands; each kind of fade has one per drawing mode.
struct FadeAngles {
  double direct3D;
  double directDraw;
  double& Current() { return lpDTCon ? direct3D : directDraw; }
};

// The weight of the picture at an angle: full picture at 90 degrees, full
// fade colour at 0.
int PictureWeight(double angle) {
  const double scale = lpDTCon ? 255.0 : 256.0;
  return static_cast<int>(std::sin(angle * std::numbers::pi / 180.0) * scale);
}

// Direct3D: a quad of the fade colour over the whole back buffer, as opaque
// as the picture is faded. False when the scene or the render target could
// not be set.
bool DrawFadeQuad(int weight, int red, int green, int blue) {
  DDSURFACEDATA* target = &BackBuffer;
  RedirectToVirBackBuffer(&target);
  if (!effect_quad::BeginQuad(target)) return false;
  if (cPixelBuffer* pixels = SurfacePixels(target))
    DrawColouredRect(pixels, 0, 0, target->nWidth, target->nHeight,
                     effect_pixels::Pack(255 - weight, red & 0xFF, green & 0xFF, blue & 0xFF));
  return effect_quad::EndQuad();
}

// Draws the fade with the picture at `weight` (0..255 in Direct3D, 0..256 in
// DirectDraw). DirectDraw at 8 bits fades the palette, above 8 bits the
// picture kept in DDWorkSD. False when Direct3D could not draw.
bool DrawFadeAtWeight(int weight, PALETTEENTRY* out, int first, int last, int red, int green, int blue,
                      const PALETTEENTRY* source) {
  if (lpDTCon) return DrawFadeQuad(weight, red, green, blue);
  if (g_DDState.nBpp == 8) {
    PalBlendColor(out, first, last, weight, static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                  static_cast<std::uint8_t>(blue), source);
    first = std::max(first, 0);
    last = std::min(last, 255);
    if (out && first <= last) DDSetScreenPalette(out + first, first, last - first + 1);
  } else {
    DDFade_UnPal(&BackBuffer, weight, static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                 static_cast<std::uint8_t>(blue), &DDWorkSD);
  }
  return true;
}

// One step of a fade from `start` to `end` degrees.
std::uint8_t FadeStep(FadeAngles& angles, double start, double end, PALETTEENTRY* out, int first, int last, int red,
                      int green, int blue, double step, const PALETTEENTRY* source, std::uint8_t finish) {
  double& angle = angles.Current();
  // The first step keeps the picture that a true-colour DirectDraw fade mixes from.
  if (!lpDTCon && angle == start && g_DDState.nBpp > 8)
    DDBlt(&DDWorkSD, 0, 0, BackBuffer.nWidth, BackBuffer.nHeight, &BackBuffer, 0, 0, 0);
  if (finish) angle = end;
  if (!DrawFadeAtWeight(PictureWeight(angle), out, first, last, red, green, blue, source)) return 0;
  const bool falling = end < start;
  if (falling ? angle <= end : angle >= end) {
    angle = start;
    return 1;
  }
  angle = falling ? std::max(angle - step, end) : std::min(angle + step, end);
  return 0;
}

FadeAngles g_FadeOutAngle{90.0, 90.0};
FadeAngles g_FadeInAngle{0.0, 0.0};

}  // namespace

std::uint8_t DDFadeOut(PALETTEENTRY* lpOut, int nFirst, int nLast, int nRed, int nGreen, int nBlue, double dStep,
                       const PALETTEENTRY* lpSrc, std::uint8_t bFinish) {
  return FadeStep(g_FadeOutAngle, 90.0, 0.0, lpOut, nFirst, nLast, nRed, nGreen, nBlue, dStep, lpSrc, bFinish);
}

std::uint8_t DDFadeIn(PALETTEENTRY* lpOut, int nFirst, int nLast, int nRed, int nGreen, int nBlue, double dStep,
                      const PALETTEENTRY* lpSrc, std::uint8_t bFinish) {
  return FadeStep(g_FadeInAngle, 0.0, 90.0, lpOut, nFirst, nLast, nRed, nGreen, nBlue, dStep, lpSrc, bFinish);
}

void DrawSceneFade(int brightness) {
  brightness = std::clamp(brightness, 0, 255);
  // True-colour DirectDraw mixes from the frame just drawn.
  if (!lpDTCon && g_DDState.nBpp > 8)
    DDBlt(&DDWorkSD, 0, 0, BackBuffer.nWidth, BackBuffer.nHeight, &BackBuffer, 0, 0, 0);
  const int weight = lpDTCon ? brightness : brightness * 256 / 255;
  DrawFadeAtWeight(weight, g_ShownPalette.data(), 0, 255, 0, 0, 0, g_PalEntries.data());
}

void FillFadedOutBackBuffer() { DDFillSurface(&BackBuffer, kFadedOutColour); }
