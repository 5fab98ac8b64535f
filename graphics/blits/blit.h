#pragma once
// The blit core: rectangle copies between surfaces, their clipping, the
// colour-pair forms and the mirrored-alias source flip.
//
// Flags: 0 opaque copy, 1 the transparent colour is see-through
// (DirectDraw: the colour key; Direct3D: texels of alpha 0, and without the
// flag a keyed source first clears the destination rectangle).

#include <cstdint>
#include <vector>

#include "graphics/surfaces/surface.h"

// DirectDraw: a clipped 1:1 copy, 0 when done or nothing was left to draw.
// Direct3D: DDBltStretch with equal sizes; 0.
int DDBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags);
// A glyph cell of a text: DDBlt, except that a destination that keeps its
// alpha gets the cell laid over it as text (graphics/blits/text_over.h).
int DDBltText(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags);
// lpColorPair: {draw colour, colour operation} for this one blit (Direct3D).
int DDBltColor(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags,
               const std::uint32_t* lpColorPair);
int DDBltColorOp(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY,
                 int srcW, int srcH, int flags, const std::uint32_t* lpColorPair);
// The one blit with separate sizes; a negative source size mirrors (Direct3D).
void DDBltStretch(DDSURFACEDATA* lpDst, int dx, int dy, int dw, int dh, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                  int sh, int flags);
// Direct3D: whether a plain (flags 0) blit from lpSrc onto lpDst, under the
// draw state as it stands, writes every pixel it covers without reading it,
// and a fill of lpDst made now lands before it: a fill under such a blit
// need only cover what the blit leaves out.
bool DDBltReplacesTarget(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc);
// Which source rows a 1:1 blit from lpSrc onto lpDst with these flags, under
// the draw state as it stands and drawn now (not collected into a batch),
// sets outright: every pixel of the row whatever the destination held
// there. (*rows)[r] for each row r of lpSrc, true only where that holds
// across the whole width. False, with rows left as they were, when it cannot
// be told now (a mirrored or redirected source, a modulating draw state, a
// source whose blits have not readied its runs yet).
bool DDBltSetsRows(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int flags, std::vector<bool>* rows);

// Clips both rectangles in place against both surfaces; false when nothing
// is left. Cutting the source also moves the destination, so the picture
// never slides.
bool DDClipBlt(DDSURFACEDATA* lpDst, int* x, int* y, int* w, int* h, DDSURFACEDATA* lpSrc, int* srcX, int* srcY,
               int* srcW, int* srcH);
// Direct3D: turns a source rectangle of a mirrored alias into the flipped
// rectangle of its owner's texture.
void MirrorAliasSource(DDSURFACEDATA* lpSrc, int* srcX, int* srcY, int* srcW, int* srcH);
