#pragma once
// After the screen was lost (DirectDraw), the stage's own surfaces come
// back with the graphics layer's: the special, sword and effect pictures
// and the shown pictures reload their files, the padded cell sheets are
// built again, and the message windows are drawn again before they are
// next shown.

// 1 always: a picture that cannot be read again keeps what it showed.
int RestoreStageSurfaces();
