#pragma once
// "ステータスの操作2": switches of a character (removal, transparency,
// turning by command only, flight, invincibility, size, riding the
// automatic scroll) or, for the stage, the automatic scroll speeds.

class cChara;
class cEdCmd;

enum Status2 : int {
  kStatus2Vanish = 0,
  kStatus2Transparent = 1,
  kStatus2TurnByCommand = 2,
  kStatus2Flight = 3,
  kStatus2Invincible = 4,
  kStatus2Size = 5,
  kStatus2ScrollSync = 6,
};

// Sizes a command may set.
inline constexpr int kMinSize = 1;
inline constexpr int kMaxSize = 10;

void RunStatusOperation2(cChara& chara, const cEdCmd& command);
