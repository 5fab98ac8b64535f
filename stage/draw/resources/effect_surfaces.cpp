#include "stage/draw/resources/effect_surfaces.h"

#include "project/database.h"
#include "project/global_data.h"
#include "stage/draw/resources/definition_surfaces.h"

namespace {
cDefinitionSurfaces g_effectSurfaces(2, 1, "エフェクト %s 読み込み失敗！");
}  // namespace

void ReleaseEffectSurfaces() { g_effectSurfaces.Release(); }

void LoadEffectSurfaces() {
  const auto& effects = g_Database->m_vEffect;
  g_effectSurfaces.Load(effects.size(), [&](std::size_t n, int) { return effects[static_cast<long long>(n)].m_strFile; });
}

int RestoreEffectSurfaces() { return g_effectSurfaces.Restore(); }

DDSURFACEDATA* EffectSurface(long long place) { return g_effectSurfaces.Place(place); }
