#pragma once
// The per-kind preparation of a movement entry when its flow list is
// installed (after its time and speed): the distance rule of the time
// modes, the circle's set-up, the homing delay, the jump's speed and time.

class cChara;
struct cCmdState;

void PrepareMoveEntry(cCmdState& entry, const cChara& chara);
