#pragma once
// The values a movement entry takes when its flow list is installed: how
// long it lasts, how fast it goes and, by kind, the set-up of the jump and
// the circle. Durations count sub-steps (tenths of a second x 6 x L), speeds
// are dots per sub-step, angles degrees x L.

class cChara;
class cEdCmd;
struct cCmdState;

// The entry's duration from the command's time and its increase per clone
// value; the movement record's speed (and top speed, with its acceleration
// switch) per sub-step; the move type from the record's direction code.
void SetCommandTime(cCmdState& entry, int clone);
// The distance rule of the time modes: with "時間と距離を指定" the speed
// covers the distance in the entry's time, with "速度と距離を指定" the time
// is the distance over the speed (never negative, unless the project keeps
// the old sign rule). "時間と速度を指定" keeps both.
void SetCommandDistance(cCmdState& entry, int clone);
// "ジャンプ": the speed that rises the command's height (parameter 2, half
// blocks), the jump's time in tenths on the command and the entry's duration.
void SetJumpCommand(cCmdState& entry, const cChara& chara);
// "円移動": rotation sense and mirroring, the period word, the two angles
// and the angular speed (or, with "時間と距離を指定", the duration).
void SetCircleCommand(cCmdState& entry, const cChara& chara);
// The jump speed of a height in half blocks for this character (the project
// may scale the player's jumps by the stage's gravity).
double JumpSpeedOf(const cChara& chara, int halfBlocks);
