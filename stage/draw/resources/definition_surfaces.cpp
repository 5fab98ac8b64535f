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

void cDefinitionSurfaces::Load(std::size_t definitions, const std::function<std::string(std::size_t, int)>& fileOf) {
  Release();
  if (definitions < 2) return;
  m_surfaces.resize((definitions - 1) * static_cast<std::size_t>(m_files));
  for (std::size_t n = 1; n < definitions; ++n) {
    for (int f = 0; f < m_files; ++f) {
      Loaded& loaded = m_surfaces[(n - 1) * static_cast<std::size_t>(m_files) + static_cast<std::size_t>(f)];
      const std::string file = fileOf(n, f);
      const int result = DDCreateSurfaceFromFile(&loaded.surface, file.c_str(), 1, g_DDState.nBpp, 0,
                                                 DTMEMORYTYPE_VIDEO_RT, 0, 0, 0, 0, 0);
      loaded.made = CheckSurfaceErr(result);
      if (!loaded.made) DebugLogF(Cp932Literal(m_failureLine), file.c_str());
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
  const std::size_t index = definition * static_cast<std::size_t>(m_files) + file;
  if (index >= m_surfaces.size() || !m_surfaces[index].made) return nullptr;
  return &m_surfaces[index].surface;
}
