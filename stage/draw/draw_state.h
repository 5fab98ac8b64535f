#pragma once
// What drawing the stage changes from frame to frame, held by the stage
// scene: the running screen effect, the screen colour, the point
// effects in play, the messages and pictures shown, and which blocks under
// the view their conditions hide. (The background
// layers' offsets live in the play stage's layer records.) The advance half
// of a frame writes these; the pixel half only reads them.

#include <list>

#include "stage/draw/blocks/block_drawing.h"
#include "stage/draw/effects/screen_effect_advance.h"
#include "stage/draw/effects/stage_effect.h"
#include "stage/draw/layers/screen_color.h"
#include "stage/show/show_state.h"

struct cStageDrawState {
  ScreenEffectFrame screenEffect;
  ScreenColorState screenColor;
  std::list<cStageEffect> stageEffects;
  cShowState shows;  // messages and shown pictures
  BlockWindowHidden blocks;  // blocks under the view whose conditions failed
};

// Feeds every field of the drawing state, and the layer offsets of the play
// stage, to the state hash: add(value) per field, doubles by their bits.
template <typename Hasher>
void AddDrawState(Hasher& h, const cStageDrawState& state);

#include "stage/draw/draw_state_hash.h"
