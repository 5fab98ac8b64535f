#pragma once
// The screen effects as pixels: the finished stage picture copied aside, the
// screen cleared to colour 16, and the copy drawn back distorted by the state
// the advance kept for this frame.

struct ScreenEffectFrame;

// The screen point the circle, zoom and lens centre on.
struct ScreenPoint {
  int x = 320;
  int y = 240;
};

// `redrawLayers` draws both background passes again (the blink's visible
// half).
void DrawScreenEffect(const ScreenEffectFrame& frame, ScreenPoint heroCentre, void (*redrawLayers)());
