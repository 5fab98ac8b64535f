#pragma once
// A point effect: one run of an effect animation (Effect.dat) at a point of
// the stage, placed where an attacker's box meets its target's, jittered by
// a few dots, and drawn until its animation ends. Scaled attackers get
// scaled effects when the effect allows it.

#include <cstdint>

#include "stage/anim/anime_player.h"

struct DDSURFACEDATA;

struct EffectBox {
  double left = 0, top = 0, right = 0, bottom = 0;
};

class cStageEffect {
 public:
  // Effect n between boxes a and b for size factor k; draws two random
  // numbers (x first). An effect number without a definition or frame list
  // is reported and the effect is finished at once.
  cStageEffect(int n, const EffectBox& a, const EffectBox& b, int k);
  // Effect n (a command's) with its top-left at (left, top), drawn at
  // `percent` of its size; no jitter.
  cStageEffect(int n, double left, double top, int percent);

  // The advance half: 1 when the animation has ended (the effect is then
  // retired); else the frame to show is kept and the animation steps.
  int Advance();
  // The pixel half: the kept frame at the effect's place on the screen.
  void Draw(DDSURFACEDATA* destination, double scrollX, double scrollY, int preferOwnSurface) const;

  std::int16_t number = 0;
  double x = 0, y = 0;
  std::int32_t width = 0, height = 0;
  std::int32_t scaled = 0;
  cAnimePlayer anime;
  std::int32_t shownFrame = -1;  // -1: nothing to show
  std::int32_t cellWidth = 0, cellHeight = 0;
};
