#pragma once
// "消滅": takes characters (and shots) off the stage: every living one of a
// character ID, every shot of an ID (a shot's ID is its side: the scene
// keeps its shots in one list per side), or the executing character's
// descendants (the characters it summoned, theirs, and so on, at most 1000
// levels down) and child shots (the shots a character fired). Parameter
// 2 = 0 limits it to what is on the screen. A shot that goes while a
// contact pass walks the shots is only marked; the pass skips it.

class cChara;
class cEdCmd;

enum VanishScope : int {
  kVanishCharaId = 0,
  kVanishShotId = 1,
  kVanishDescendants = 2,
  kVanishChildShots = 3,
  kVanishShotsThenDescendants = 4,
  kVanishDescendantsWithShots = 5,
};

inline constexpr int kMaxVanishDepth = 1000;

void Vanish(cChara& chara, const cEdCmd& command);
