#include "stage/draw/resources/definition_surfaces.h"

#include "foundation/log.h"
#include "foundation/message_box.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_load.h"

cDefinitionSurfaces::cDefinitionSurfaces(int placesPerDefinition, int filesPerDefinition, const char* failureLine)
    : m_places(placesPerDefinition), m_files(filesPerDefinition), m_failureLine(failureLine) {}

void cDefinitionSurfaces::Release() {
  for (Loaded& loaded : m_surfaces) DDReleaseSurface(&loaded.surface);
  m_surfaces.clear();
}

void cDefinitionSurfaces::Load(std::size_t definitions, const FileOf& fileOf, const MirrorCellOf& mirrorCellOf) {
  Release();
  m_copies = mirrorCellOf ? 2 : 1;
  if (definitions < 2) return;
  const auto perDefinition = static_cast<std::size_t>(m_files * m_copies);
  m_surfaces.resize((definitions - 1) * perDefinition);
  for (std::size_t n = 1; n < definitions; ++n) {
    for (int f = 0; f < m_files; ++f) {
      const std::string file = fileOf(n, f);
      for (int copy = 0; copy < m_copies; ++copy) {
        Loaded& loaded = m_surfaces[(n - 1) * perDefinition + static_cast<std::size_t>(f * m_copies + copy)];
        const int mirrorCell = copy == 1 ? mirrorCellOf(n) : 0;
        const int result = DDCreateSurfaceFromFile(&loaded.surface, file.c_str(), 1, g_DDState.nBpp, 0,
                                                   DTMEMORYTYPE_VIDEO_RT, 0, 0, mirrorCell, 0, 0);
        loaded.made = CheckSurfaceErr(result);
        if (!loaded.made) DebugLogF(Cp932Literal(m_failureLine), file.c_str());
      }
    }
  }
}

int cDefinitionSurfaces::Restore() {
  for (Loaded& loaded : m_surfaces)
    if (loaded.made && !loaded.surface.bSystemMemory) DDReloadBitmap(&loaded.surface);
  return 1;
}

DDSURFACEDATA* cDefinitionSurfaces::Place(long long place) {
  if (place < 0) return nullptr;
  const auto definition = static_cast<std::size_t>(place / m_places);
  const auto file = static_cast<std::size_t>(place % m_places % m_files);
  const auto copy = static_cast<std::size_t>(place % m_places % m_copies);
  const auto copies = static_cast<std::size_t>(m_copies);
  const std::size_t index = (definition * static_cast<std::size_t>(m_files) + file) * copies + copy;
  if (index >= m_surfaces.size() || !m_surfaces[index].made) return nullptr;
  return &m_surfaces[index].surface;
}
