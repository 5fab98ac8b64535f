#pragma once
// Hands the game object the scenes of the game screens (title, world map,
// map menu, challenge, options) and the shell the start of a stage file's
// play (start-up's stage, the open-stage request).
void RegisterScreens();
