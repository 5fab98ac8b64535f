#pragma once
// Bringing the graphics layer back after the screen was lost. The CPU
// renderer loses nothing by itself: the presenter reports a lost device
// (SDL's render-reset events, or the test hook), and these operations then
// re-create the surfaces in place and bring the fonts back.

// Direct3D: re-creates every registered surface in place once the presenter
// can be reset. 1 when done, when nothing was lost (every surface is kept)
// and always in DirectDraw mode; 0 when the device cannot be reset yet, and
// the caller asks again later.
int DDRestoreSurface();

// DirectDraw: when the screen was lost, reloads the video-memory bitmap
// surfaces (empty ones are flagged bLost for their owners) and brings the
// fonts back. Always 1.
int DDRestore();
