#pragma once
// "ステージクリア": the stage is cleared. The command chooses what the stage
// end goes on to: the next stage of the run, a stage by number, a stage file
// it names, or none (the world is cleared); it may also move the world-map
// figure for the return and ask the next stage to start the hero elsewhere.
// Item commands run the same command with the hero.

class cChara;
class cEdCmd;
struct cCmdState;

// Records the choice in the running stage scene and the save data: 1 (the
// stage result of a clear).
int StageClear(cChara& chara, const cEdCmd& command);
void CmdStageClear(cChara& chara, cCmdState& entry);
