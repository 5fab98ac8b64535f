#include "screens/stage_end/next_stage.h"

#include "definitions/save_data/save_data.h"
#include "foundation/paths.h"
#include "foundation/text_format.h"
#include "project/data_paths.h"
#include "stage/scene/stage_scene.h"

namespace {

// The name without its last character: "c01." gives "c01"; a name the
// stage gives itself loses its extension the same way.
std::string StemOf(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

int MakeNextStageFileName(const cStageScene& scene, std::string& name, int number) {
  name.clear();
  if (!g_SaveData.m_bSeriesStart || number == 0) return 0;
  const bool own = scene.m_bOwnNextStage != 0;
  const std::string stem = StemOf(own ? scene.m_strNextStageFile : g_SaveData.m_strStage);
  if (stem.empty()) return 0;
  const std::string extension(g_Extensions[EXT_STAGE]);
  std::string candidate;
  if (own)
    Format(candidate, "%s.%s", stem.c_str(), extension.c_str());
  else
    Format(candidate, "%s-%d.%s", stem.c_str(), number, extension.c_str());
  if (!FindLastNumberedFile(candidate, candidate, extension)) return 0;
  name = candidate;
  return 1;
}

int IsLastStage(const cStageScene& scene, int number) {
  std::string name;
  return MakeNextStageFileName(scene, name, number) ? 0 : 1;
}
