#pragma once
// Draw batches of Direct3D mode: while a level collects, every quad blit is
// queued and drawn by DDEndBatch, in blit order or sorted by source.
// Levels nest up to 100 deep; the innermost open level collects.

#include <cstdint>

#include "graphics/surfaces/surface.h"

void DDBeginBatch(int bSort);
void DDBatchPause();
void DDBatchResume();
// Registers a source (whole surface, or the cells starting at x, y) whose
// quads are drawn after every unregistered source, in registration order.
void DDBatchAdd(DDSURFACEDATA* lpSrc);
void DDBatchAddPart(DDSURFACEDATA* lpSrc, int x, int y);
void DDEndBatch();
// Number of open levels (for callers that check their nesting).
int DDBatchDepth();

// One clipped textured quad with the stage state it was blitted with.
struct DDBATCHQUAD {
  std::int32_t nIndex = 0;
  std::int32_t nKey = 0;
  DDSURFACEDATA* lpDst = nullptr;
  DDSURFACEDATA* lpSrc = nullptr;
  std::int32_t dx = 0, dy = 0, dw = 0, dh = 0;
  std::int32_t sx = 0, sy = 0, sw = 0, sh = 0;
  std::int32_t nFlags = 0;
  std::uint32_t dwColor = 0, dwColorOp = 0, dwAlphaOp = 0;
  std::uint32_t dwReserved = 0;
  std::uint32_t bPartHit = 0;
  // A glyph cell laid on a surface that keeps its alpha (DDBltText).
  std::uint32_t bText = 0;
};

// True while the current level collects; then BatchAppend queues the quad.
bool BatchCollecting();
void BatchAppend(DDBATCHQUAD quad);
// Draws one run of quads (same destination, source and state) as if the
// keyed pre-clear of every quad came first, then the quads in order.
void DrawQuadRun(const DDBATCHQUAD* quads, int count);
