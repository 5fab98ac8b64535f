#pragma once
// "アイテムの取得": runs the command list of an item definition of the
// common (parameter 0 = 0) or the stage palette (1), number parameter 1, on
// the player's hero, as if the hero had taken it; the command, whether a
// character's or an item's, stores the result as the scene's stage result
// (an item's list goes on after it). The list run is the attempt's working
// copy of the entry, so bindings persist across the attempt's takes.

class cChara;
class cEdCmd;

// The item run's result; 0 when the item or the hero does not exist.
int GetItem(const cEdCmd& command);
void CmdGetItem(cChara& chara, const cEdCmd& command);
