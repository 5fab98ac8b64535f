#include "commands/code/stage_code_access.h"

#include "commands/binding/param_access.h"
#include "commands/status/status_table.h"
#include "commands/status/variables.h"
#include "definitions/command_record.h"
#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "evaluator/code_evaluator.h"
#include "graphics/device/device.h"
#include "stage/chara/chara.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/draw/resources/view_mask.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"

namespace {

// Rows of the evaluator's character-status table: eight variables, then the
// statuses in the order of the status operation's table from HP on.
constexpr int kCodeVariableRows = 8;
constexpr int kCodeSightRow = 15;

// The storage of a row; the none reference for a row outside the table.
ParamRef CodeStatusRef(cChara& chara, int row) {
  if (row >= 0 && row < kCodeVariableRows) return CharaStatusRef(chara, kStatusVariable, row + 1);
  // The view range is stored for every character; only a hero's shows.
  if (row == kCodeSightRow) return chara.def.m_nSight;
  return CharaStatusRef(chara, row - kCodeVariableRows + kStatusHp, 0);
}

cVector<std::int32_t>* VariableList(CodeValueKind kind) {
  if (kind == CodeValueKind::CommonVar) return &g_SaveData.m_vVar;
  cStageScene* scene = StageScene();
  return scene != nullptr ? &scene->m_vStageVars : nullptr;
}

}  // namespace

cChara* StageCodeAccess::Target(cChara* chara, int slot) {
  if (chara == nullptr || slot < 1 || slot > kTargetSlots) return nullptr;
  return chara->targets[static_cast<std::size_t>(slot - 1)];
}

cChara* StageCodeAccess::Hero() { return g_Heroes.empty() ? nullptr : g_Heroes[0].get(); }

int StageCodeAccess::VariableCount(CodeValueKind kind) {
  const cVector<std::int32_t>* list = VariableList(kind);
  return list != nullptr ? static_cast<int>(list->size()) : 0;
}

std::int32_t StageCodeAccess::Read(cChara* owner, CodeValueKind kind, int index) {
  switch (kind) {
    case CodeValueKind::CommonVar:
    case CodeValueKind::StageVar: {
      cVector<std::int32_t>* list = VariableList(kind);
      return list != nullptr && index >= 0 && index < static_cast<int>(list->size()) ? (*list)[index] : 0;
    }
    case CodeValueKind::CharaStat: return owner != nullptr ? CodeStatusRef(*owner, index).Get() : 0;
    case CodeValueKind::SysStat: return StoredSystemStatus(index);
  }
  return 0;
}

void StageCodeAccess::Write(cChara* owner, CodeValueKind kind, int index, std::int32_t value) {
  switch (kind) {
    case CodeValueKind::CommonVar:
    case CodeValueKind::StageVar: {
      cVector<std::int32_t>* list = VariableList(kind);
      if (list != nullptr && index >= 0 && index < static_cast<int>(list->size())) (*list)[index] = value;
      return;
    }
    case CodeValueKind::CharaStat:
      if (owner != nullptr) CodeStatusRef(*owner, index).Set(value);
      return;
    case CodeValueKind::SysStat:
      // The scroll speeds are put into force by RestartScroll.
      if (index == kSystemScrollX) g_PlayStage.AutoScrollSpeedX = value;
      else if (index == kSystemScrollY) g_PlayStage.AutoScrollSpeedY = value;
      else WriteSystemStatus(index, value);
      return;
  }
}

// Asked only while the lives are unlimited: they read as the status
// operations read them.
bool StageCodeAccess::UnlimitedLivesReadAsZero() { return ReadSystemStatus(kSystemLives) == 0; }

void StageCodeAccess::RequestHpCheck() {
  if (cStageScene* scene = StageScene()) scene->m_bHpCheck = 1;
}

bool StageCodeAccess::IgnoresSight(cChara* chara) { return chara == nullptr || !chara->IsHero(); }

void StageCodeAccess::SetViewRange(cChara* chara, std::int32_t halfBlocks) {
  if (chara == nullptr) return;
  chara->sightDots = HblToDot(halfBlocks);
  if (g_DDState.bInitialized && chara == Hero())
    CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, chara->sightDots, chara->def.m_nSightShape);
}

void StageCodeAccess::RestartScroll(int axis, std::int32_t speed) {
  if (axis == 0) g_StageSpace.scrollX.SetSpeed(g_PlayStage.AutoScrollX, speed, g_PlayStage.LevelF);
  else g_StageSpace.scrollY.SetSpeed(g_PlayStage.AutoScrollY, speed, g_PlayStage.LevelF);
}

void StageCodeAccess::StartHpGauge(cChara* chara, std::int32_t change) {
  if (chara != nullptr) chara->StartHpGauge(change);
}

void StageCodeAccess::StartSpGauge(cChara* chara, std::int32_t change) {
  if (chara != nullptr) chara->StartSpGauge(change);
}

void ExecCodeCmd(cChara& chara, const cEdCmd& command) {
  StageCodeAccess access;
  ExecCode(access, command.m_strCode, &chara);
}
