#pragma once
// Taking a character off the stage by command ("消滅", and the status
// "消滅" of "ステータスの操作2"): a stage character is marked removed (it
// stops acting and is found no more; it is freed at the next safe point), a
// hero loses all its HP. When it is not the executing character the scene's
// HP check looks at it.

class cChara;

void RemoveByCommand(cChara& target, const cChara& executing);
