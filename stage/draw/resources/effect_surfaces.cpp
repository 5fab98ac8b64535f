#include "stage/draw/resources/effect_surfaces.h"

#include <vector>

#include "foundation/log.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_load.h"
#include "project/database.h"
#include "project/global_data.h"

namespace {
// Element n - 1 is the surface of effect n.
std::vector<DDSURFACEDATA> g_effectSurfaces;
}  // namespace

void ReleaseEffectSurfaces() {
  for (DDSURFACEDATA& surface : g_effectSurfaces) DDReleaseSurface(&surface);
  g_effectSurfaces.clear();
}

void LoadEffectSurfaces() {
  ReleaseEffectSurfaces();
  const auto& effects = g_Database->m_vEffect;
  if (effects.size() < 2) return;
  g_effectSurfaces.reserve(effects.size() - 1);
  for (std::size_t n = 1; n < effects.size(); ++n) {
    DDSURFACEDATA& surface = g_effectSurfaces.emplace_back();
    const char* file = effects[static_cast<long long>(n)].m_strFile.c_str();
    const int result = DDCreateSurfaceFromFile(&surface, file, 1, g_DDState.nBpp, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0,
                                               0, 0);
    if (!CheckSurfaceErr(result)) DebugLogF(Cp932Literal("エフェクト %s 読み込み失敗！"), file);
  }
}

DDSURFACEDATA* EffectSurface(long long place) {
  if (place < 0) return nullptr;
  const auto index = static_cast<std::size_t>(place / 2);
  return index < g_effectSurfaces.size() ? &g_effectSurfaces[index] : nullptr;
}
