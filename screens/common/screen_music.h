#pragma once
// A screen's music: the system record's music number and keep flag of the
// screen's slot (0 title, 1 world map and its menu, 2 challenge, 3 options)
// asked of the game object; a slot the lists lack asks for none.
void RequestScreenBgm(int slot);
