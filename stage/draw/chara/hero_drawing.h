#pragma once
// What is drawn for the hero besides its cell: the boxes the stage asks to
// show (filled or framed, each in its colour group, whose shade moves on
// every 8 frames unless the 8-bit palette cycles the group itself) and the
// view-range mask, which hides all but the hero's surroundings.

class cHero;
struct DDSURFACEDATA;

// The advance half: the shade counters of the box display (they move with
// the animations, so they hold still while the stage does).
void AdvanceHeroBoxDisplay(cHero& hero);
// The pixel half: the shown boxes over the hero's cell.
void DrawHeroBoxes(const cHero& hero, DDSURFACEDATA* surface);
// The 640 x 480 window of the view-range mask around the hero's cell
// (ahead of it for the shapes that look forward); nothing for shape 0.
void DrawViewMask(const cHero& hero, DDSURFACEDATA* surface);
