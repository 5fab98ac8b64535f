#pragma once
// The advance half of a character effect: the blink's on/off counter, one
// step of the running value, the effect cleared when it ends; and the end of
// a dead character's drawing.

class cChara;

// One drawn frame of the character's effect; the slot as drawn is kept for
// the pixels. 1 when the effect ended on this frame.
int AdvanceCharaEffect(cChara& chara, int noAdvance);
