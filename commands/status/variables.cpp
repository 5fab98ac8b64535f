#include "commands/status/variables.h"

#include "stage/core/data_index.h"
#include "definitions/save_data/save_data.h"
#include "stage/chara/chara.h"
#include "stage/scene/stage_scene.h"

std::int32_t* GlobalVariable(int source, int index, int firstIndex) {
  cVector<std::int32_t>* list = nullptr;
  if (source == kCommonVariable) {
    list = &g_SaveData.m_vVar;
  } else if (source == kStageVariable) {
    cStageScene* scene = StageScene();
    if (scene == nullptr) return nullptr;
    list = &scene->m_vStageVars;
  } else {
    return nullptr;
  }
  if (index < firstIndex || !DataIndexOk(index, list->size(), 4)) return nullptr;
  return &(*list)[index];
}

std::optional<std::int32_t> BindingVariable(int source, int index, cChara& chara) {
  if (source == kCharaVariable) {
    if (!DataIndexOk(index, chara.vars.size(), 4)) return std::nullopt;
    return chara.vars[static_cast<std::size_t>(index)];
  }
  const std::int32_t* variable = GlobalVariable(source, index, 1);
  if (variable == nullptr) return std::nullopt;
  return *variable;
}
