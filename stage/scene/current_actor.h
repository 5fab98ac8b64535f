#pragma once
// Who is acting right now: while a character's flows are stepped, the
// character, the flow state and the command entry that runs. Commands, the
// code evaluator, the key-input conditions and the status operations read
// it; it is cleared after each character's flows.

class cChara;
class cEdCmd;
struct cFlowState;

struct CurrentActor {
  cChara* chara = nullptr;
  cFlowState* flow = nullptr;
  const cEdCmd* cmd = nullptr;
  void Clear() { chara = nullptr; flow = nullptr; cmd = nullptr; }
};

extern CurrentActor g_CurrentActor;
