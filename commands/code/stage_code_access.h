#pragma once
// The code evaluator over the running stage: character statuses live in the
// character (its variables, HP and SP, and its definition copy), the system
// statuses in the stage scene, the play stage and the save data, the common
// variables in the save data and the stage variables in the scene. The
// after-effects of an assignment go where the status operations send them:
// the scene's HP check, the hero's view mask, the scroll axes, the gauges.
//
// "コードの実行" (character and item command alike) runs its text here.

#include "evaluator/code_access.h"

class cEdCmd;

class StageCodeAccess final : public CodeAccess {
 public:
  cChara* Target(cChara* chara, int slot) override;
  cChara* Hero() override;
  int VariableCount(CodeValueKind kind) override;
  std::int32_t Read(cChara* owner, CodeValueKind kind, int index) override;
  void Write(cChara* owner, CodeValueKind kind, int index, std::int32_t value) override;
  bool UnlimitedLivesReadAsZero() override;
  void RequestHpCheck() override;
  bool IgnoresSight(cChara* chara) override;
  void SetViewRange(cChara* chara, std::int32_t halfBlocks) override;
  void RestartScroll(int axis, std::int32_t speed) override;
  void StartHpGauge(cChara* chara, std::int32_t change) override;
  void StartSpGauge(cChara* chara, std::int32_t change) override;
};

// Runs the command's code text for the character.
void ExecCodeCmd(cChara& chara, const cEdCmd& command);
