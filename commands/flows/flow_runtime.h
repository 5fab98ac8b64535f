#pragma once
// Running flows: a started flow walks its command entries once per sub-step.
// Instant entries start together with the entries after them and keep
// running in later sub-steps; a blocking entry holds the flow until its time
// is used up. The stage reaches these through its flow-runtime table.

class cChara;
struct cCmdState;
struct cFlowState;

// The stage keeps neutral entry points of the same names (stage_hooks.h)
// that forward here once the commands are installed.
namespace commands {

void StartFlow(cChara& chara, cFlowState& flow);
// One sub-step of a running flow with entries; 1 when it has finished.
int RunFlow(cChara& chara, cFlowState& flow);
void StartFlowCmd(cChara& chara, cFlowState& flow, cCmdState& entry);
// One sub-step of an entry; 1 when its time is used up.
int RunFlowCmd(cChara& chara, cCmdState& entry);
void EndFlow(cChara& chara, cFlowState& flow);
void PauseFlow(cFlowState& flow);
void ResumeFlow(cFlowState& flow);
void StopFlowForever(cChara& chara, cFlowState& flow);

}  // namespace commands
