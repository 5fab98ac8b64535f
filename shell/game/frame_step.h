#pragma once
// The parts of one frame that the game thread runs, and that the pause and
// ranking threads run themselves while the game thread waits for them:
// waiting for the frame to be due, bringing lost surfaces back, polling
// input, and handing the finished frame to the screen.

#include <cstdint>
#include <functional>

// DirectDraw: waits on the game clock until the frame is due (Direct3D
// paces in its present).
void WaitNextFrame();
// DirectDraw: when the screen was lost, the layer's surfaces, the digit
// strips and the registered surface lists come back. 0 when that failed.
int RestoreLostSurfaces();
// Restores one subsystem's surface list after a lost screen (redrawing what
// was drawn into its surfaces); 0 when that failed.
using SurfaceList = std::function<int()>;
// The lists are restored with the digit strips, in the order added; the
// shutdown forgets them (subsystems add theirs again at start-up).
void AddLostSurfaceList(SurfaceList restore);
void ForgetLostSurfaceLists();
void PollInput();
void PresentFrame();

// DirectDraw frame timing, chosen at start-up: 1 when frames are shown by a
// blit (the frame step paced them), 0 when they wait for the display.
void SetFrameTiming(int on);

// Direct3D pacing: true when fps is 0, no Direct3D context exists, or the
// frame is due at start + index x 1000 / fps; a whole second of frames
// begins a new start. After a stall (more than three frames late) the
// pacing starts anew from now instead of showing the missed frames back to
// back.
bool PaceFrameD3D(int fps, int overlay, std::uint32_t overlayColour);
// Pacing back to its first call (a new start-up), and the graphics layer's
// present told to wait, on the game clock, until its frame is due.
void InstallFramePacing();
// Waits on the game clock until PaceFrameD3D lets the frame go.
void WaitForDirect3DFrame(int fps);

// "FPS%2d(%2d)": frames of the last second and the 16-frame mean of the
// frame's working time, drawn when ShowFps asks for it.
void DrawFpsLine(int fps, std::uint32_t frameTime);
// The mean starts again (a new start-up).
void ResetFpsLine();
