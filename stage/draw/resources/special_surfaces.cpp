#include "stage/draw/resources/special_surfaces.h"

#include "project/database.h"
#include "project/global_data.h"
#include "stage/draw/resources/definition_surfaces.h"

namespace {
constexpr int kPlaces = 4;
cDefinitionSurfaces g_specialSurfaces(kPlaces, 1, "専用bmp %s 読み込み失敗！");
cDefinitionSurfaces g_swordSurfaces(kPlaces, 2, "ソード %s 読み込み失敗！");
}  // namespace

void LoadBmpCharaExcSurfaces() {
  const auto& records = g_Database->m_vBmpCharaExc;
  // A character facing right shows the twin mirrored cell by cell.
  g_specialSurfaces.Load(
      records.size(), [&](std::size_t n, int) { return records[static_cast<long long>(n)].m_strFile; },
      [&](std::size_t n) { return records[static_cast<long long>(n)].CellSize(); });
}

void LoadSwordSurfaces() {
  const auto& records = g_Database->m_vSwordType;
  g_swordSurfaces.Load(records.size(), [&](std::size_t n, int file) {
    const cSwordType& sword = records[static_cast<long long>(n)];
    return file == 0 ? sword.m_strFile : sword.m_strFile2;
  });
}

void ReleaseSpecialSurfaces() {
  g_specialSurfaces.Release();
  g_swordSurfaces.Release();
}

int RestoreSpecialSurfaces() { return g_specialSurfaces.Restore() && g_swordSurfaces.Restore(); }

DDSURFACEDATA* BmpCharaExcSurface(long long place) { return g_specialSurfaces.Place(place); }
DDSURFACEDATA* SwordSurface(long long place) { return g_swordSurfaces.Place(place); }
