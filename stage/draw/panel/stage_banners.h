#pragma once
// The banners the stage lays over its frame, all cut from the word sheet:
// while an attempt starts, the replay banner (a replay being played back)
// or the start banner with the stage's number beside it and then the
// second banner; the clear banner fading in as the stage ends; the
// game-over banner while the game waits for the player after the last
// life. The banners stand in 32-dot rows at the sheet's left edge (the
// second banner beside the start banner), the stage number's digits in
// the row below them.

struct DDSURFACEDATA;

enum class IntroBanner : int { None, Replay, Start, Second };

// The sheet the banners come from.
DDSURFACEDATA* WordSheet();

// The intro banner of one frame; the start banner shows `stageNumber`.
void DrawIntroBanner(IntroBanner banner, int stageNumber, DDSURFACEDATA* surface, DDSURFACEDATA* wordSheet);
// The clear banner at its end-banner counter: below 100 it is still fading
// in, from 100 on it is opaque.
void DrawEndBanner(int counter, DDSURFACEDATA* surface, DDSURFACEDATA* wordSheet);
void DrawGameOverBanner(DDSURFACEDATA* surface, DDSURFACEDATA* wordSheet);
