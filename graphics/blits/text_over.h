#pragma once
// How text is laid on a surface in Direct3D mode. The frame (the back
// buffer, which holds no alpha of its own, and the virtual back buffer that
// stands in for it) takes text by the device's blend, as it takes any quad.
// Every other surface keeps its alpha for a blend of its own later (a
// message window cleared see-through and then laid over the frame, a digit
// strip, a glyph sheet): there text goes over each pixel as straight colour
// with alpha, so that the later blend shows the text as if it had been
// drawn on whatever lies under the surface then, never darker than both.

#include <cstdint>

#include "graphics/surfaces/surface.h"

// False for the frame, true for every surface that keeps its alpha.
bool KeepsTextAlpha(const DDSURFACEDATA* surface);

// Text of alpha a laid over a pixel of alpha dA: alpha a + dA (1 - a), and
// each channel the mix of text and pixel weighted a and dA (1 - a), rounded.
// A see-through pixel takes the text colour whole; an opaque one the colour
// of the device's blend.
std::uint32_t LayTextOver(std::uint32_t text, std::uint32_t pixel);
