#pragma once
// "ピクチャーの表示": shows a picture of the project's picture list over
// the stage, replaces the picture of the same ID in its place in the
// drawing order (taking over its surface when the file is the same), or,
// without a picture, removes the picture of an ID or every picture. With
// the wait switch the game stops while it is shown and the picture goes
// with the wait.

#include <cstdint>

class cChara;
class cEdCmd;

void ShowPicture(cChara& chara, const cEdCmd& command);

// size x percent / 100, rounded half away from zero.
std::int32_t ScaledPictureSize(std::int32_t size, std::int32_t percent);
