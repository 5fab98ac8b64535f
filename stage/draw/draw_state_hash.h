#pragma once
// The body of AddDrawState (draw_state.h), kept apart so the state's
// declaration reads on its own.

#include "definitions/stage/stage_record.h"

template <typename Hasher>
void AddDrawState(Hasher& h, const cStageDrawState& state) {
  // An idle slot (number 0) hashes as a fresh one: what a finished effect
  // left in its other fields never shows, and the next effect overwrites them.
  static const cScrEffectSlot kIdleSlot{};
  const cScrEffectSlot& e = state.screenEffect.current.number != 0 ? state.screenEffect.current : kIdleSlot;
  for (double value : {e.value, e.secondValue, e.step, e.elapsed}) h.Add(value);
  for (std::int32_t value : {std::int32_t{e.number}, e.playMode, e.loop, e.backward, e.progress, e.counterA,
                             e.counterB, e.fixedRun, e.runLength})
    h.Add(value);
  const ScreenColorState& c = state.screenColor;
  for (std::int32_t value : {c.started, std::int32_t{c.red}, std::int32_t{c.green}, std::int32_t{c.blue},
                             c.strength, c.mode, c.time, c.blink, c.repeat, c.active, c.counter, c.repeatCounter,
                             c.alpha, c.prevStrength, c.prevAlpha})
    h.Add(value);
  h.Add(state.stageEffects.size());
  for (const cStageEffect& effect : state.stageEffects) {
    for (double value : {effect.x, effect.y}) h.Add(value);
    for (std::int32_t value : {std::int32_t{effect.number}, effect.width, effect.height, effect.scaled,
                               effect.shownFrame, effect.anime.Pattern(), effect.anime.Entry(), effect.anime.Tick()})
      h.Add(value);
  }
  AddShowState(h, state.shows);
  for (const auto& layer : state.blocks.cells)
    for (std::uint8_t cell : layer) h.Add(std::int32_t{cell});
  for (const auto& layer : g_PlayStage.m_vBackground) {
    h.Add(layer.OffsetX);
    h.Add(layer.OffsetY);
  }
}
