#pragma once
// What happens the moment a stage ends: the end sound, the stage's results
// added to the play's totals, extra lives for every score step the total
// passed, and the check of the totals against the stage's ranking.
//
// Totals (in the save data): the total score, the time left, the clear
// time, the HP and the SP left, summed over the stages of a run; each sum
// stops at the int range instead of wrapping.

#include <cstdint>

class cStageScene;

// The extra lives earned by a total that went from `before` to `after` in
// steps of `step`: after / step - before / step, never below 0 (64-bit).
std::int64_t ExtraLifeSteps(std::int32_t before, std::int32_t after, std::int32_t step);
// The longest tally: a score jump of millions of steps gives this many.
inline constexpr std::int64_t kMostExtraLifeSteps = 100;

// Adds the stage's results to the totals and hands out the extra lives.
void TallyStageResult(cStageScene& scene);
// The five totals against the ranking (when the check applies): sets the
// scene's result values, ranking places and new-record flag.
void CheckStageRanking(cStageScene& scene);
// On entering the stage-end phase: sound 14, tally, the ranking check.
void PrepareStageEndScreens(cStageScene& scene);
