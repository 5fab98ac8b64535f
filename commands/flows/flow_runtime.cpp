#include "commands/flows/flow_runtime.h"

#include "commands/binding/param_binding.h"
#include "commands/dispatch/command_table.h"
#include "definitions/command_record.h"
#include "definitions/flow_record.h"
#include "foundation/log.h"
#include "stage/chara/chara.h"
#include "stage/chara/flow_walk.h"
#include "stage/core/stage_rules.h"
#include "stage/scene/current_actor.h"

namespace commands {
namespace {

enum FlagSet : int { kRunningFlags = 0, kEndedFlags = 1, kStartedFlags = 2 };

// A message that waits for its key and keeps the window open for the next.
bool KeepsMessageOpen(const cEdCmd& command) {
  return command.m_nKind == kCmdMessage && command.m_vParams.size() > 15 && command.m_vParams[15] == 0 &&
         command.m_vParams[6] == 0;
}

void RaiseEndedLetter(cChara& chara, const cFlowState& flow) {
  const int letter = flow.flow->m_nFlag;
  if (letter <= 0 || letter >= kFlagLetters) return;
  chara.flagSets[kEndedFlags][static_cast<std::size_t>(letter)] = 1;
  chara.flowEnded = 1;
}

// The flow of trigger "ステージ開始前" runs its instant entries of the
// non-moving kinds at once and ends.
void RunBeforeStage(cChara& chara, cFlowState& flow) {
  const FlowWalk walk(chara);
  g_CurrentActor.flow = &flow;
  flow.stopThisStep = 0;
  flow.progress = 0;
  for (cCmdState& entry : flow.entries) {
    ++flow.progress;
    if (entry.cmd->m_nKind < kCmdFlowControl || !entry.cmd->m_bInstant) continue;
    StartFlowCmd(chara, flow, entry);
    if (!RunFlowCmd(chara, entry)) DebugBoxF("使用時間0なので、ここにくることはあり得ないはず！");
    if (flow.stopThisStep) break;
    entry.done = 1;
  }
  EndFlow(chara, flow);
}

}  // namespace

void StartFlow(cChara& chara, cFlowState& flow) {
  flow.active = 1;
  flow.progress = 0;
  flow.stepCount = 0;
  flow.messageOpen = 0;
  for (cCmdState& entry : flow.entries) entry.done = 0;
  flow.startedThisStep = 1;
  const int letter = flow.flow->m_nFlag;
  if (flow.flow->m_nTrigger == kTriggerAlways && letter > 0 && letter < kFlagLetters) {
    chara.flagSets[kRunningFlags][static_cast<std::size_t>(letter)] = 1;
    chara.flagSets[kStartedFlags][static_cast<std::size_t>(letter)] = 1;
  }
  if (!flow.entries.empty() && flow.flow->m_nTrigger == kTriggerBeforeStage) RunBeforeStage(chara, flow);
}

int RunFlow(cChara& chara, cFlowState& flow) {
  g_CurrentActor.flow = &flow;
  flow.stopThisStep = 0;
  const auto count = static_cast<std::int32_t>(flow.entries.size());
  for (std::int32_t i = 0; i <= flow.progress && flow.progress >= 0; ++i) {
    if (i >= count) break;
    cCmdState& entry = flow.entries[static_cast<std::size_t>(i)];
    if (entry.done) continue;
    const cEdCmd& command = *entry.cmd;
    if (entry.remaining == 0) {
      StartFlowCmd(chara, flow, entry);
      if (!KeepsMessageOpen(command) && !command.m_bInstant) flow.messageOpen = 0;
    }
    const bool last = i == count - 1;
    if (command.m_bInstant) {
      if (RunFlowCmd(chara, entry)) {
        entry.done = 1;
        if (last) return 1;
      }
      if (i == flow.progress) ++flow.progress;
      if (flow.stopThisStep) return 0;
      continue;
    }
    if (!RunFlowCmd(chara, entry)) {
      if (flow.stopThisStep) return 0;
      continue;
    }
    entry.done = 1;
    if (KeepsMessageOpen(command)) flow.messageOpen = 1;
    if (last) return 1;
    ++flow.progress;
    break;
  }
  if (count > 0 && flow.entries.back().done) return 1;
  ++flow.stepCount;
  return 0;
}

void StartFlowCmd(cChara& chara, cFlowState& flow, cCmdState& entry) {
  entry.remaining = entry.duration;
  entry.done = entry.started = entry.stepCount = 0;
  for (std::int32_t& word : entry.work) word = 0;
  if (entry.cmd->m_nKind != kCmdArrange) ApplyFlowArrange(*entry.cmd, chara, &flow);
}

int RunFlowCmd(cChara& chara, cCmdState& entry) {
  g_CurrentActor.cmd = entry.cmd;
  DispatchFlowCmd(chara, entry);
  if (--entry.remaining > 0) return 0;
  entry.remaining = 0;
  return 1;
}

void EndFlow(cChara& chara, cFlowState& flow) {
  if (!flow.active) return;
  flow.active = 0;
  flow.arranges.clear();
  for (cCmdState& entry : flow.entries) entry.remaining = 0;
  RaiseEndedLetter(chara, flow);
  if (flow.flow->m_nTrigger != kTriggerAlways && !g_StageRules.keepKeyLatch) flow.keyLatchB = 0;
}

void PauseFlow(cFlowState& flow) { flow.paused = 1; }
void ResumeFlow(cFlowState& flow) { flow.paused = 0; }

void StopFlowForever(cChara& chara, cFlowState& flow) {
  flow.stoppedForGood = 1;
  if (!flow.active) return;
  for (cCmdState& entry : flow.entries) entry.remaining = 0;
  RaiseEndedLetter(chara, flow);
}

}  // namespace commands
