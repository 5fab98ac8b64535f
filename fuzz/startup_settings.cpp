// Arbitrary bytes as "System.ini" over the project's default entries, and
// as "user_data\Window.dat": reading must stay inside the bytes, FreeStage
// inside its length, and a loaded window place inside the work area.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/record_fuzzing.h"
#include "platform/window.h"
#include "project/system_record.h"
#include "shell/init/system_ini.h"
#include "shell/window/window_pos.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  static const cSystem system;
  SYSTEMINIDATA ini;
  SetSystemIniDefaults(ini, system.m_vOptions);
  ReadSystemIni({data, size}, ini, system.m_vOptions);
  if (ini.FreeStage.size() > kMaxFreeStagePath) std::abort();

  auto in = OpenReadBytes(std::vector<unsigned char>(data, data + size), "fuzz");
  if (!in) return 0;
  cWindowPos pos;
  pos.Load(*in);
  if (!CloseFile(*in)) return 0;
  const platform::WindowRect area = platform::DesktopWorkArea();
  if (pos.m_nX < area.x || pos.m_nY < area.y || pos.m_nX > area.x + area.width || pos.m_nY > area.y + area.height)
    std::abort();
  return 0;
}
