#pragma once
// The fades every game screen opens and closes with: one step per frame
// toward the picture (in) or toward black (out), at the game's fade speed.
// When a fade-out ends the back buffer is filled with colour 16, so the
// next screen starts from a known frame.

// One step of the fade from black; true when the picture is fully shown.
bool StepScreenFadeIn();
// One step of the fade toward black; true when it is complete (the back
// buffer then holds colour 16).
bool StepScreenFadeOut();
