#pragma once
// The distance condition of a character ("距離条件"): whether another
// object (the hero or a target) lies inside or outside an area around the
// character: a band to one or both sides, above or below, or a circle.

#include <cstdint>

class cChara;
class cCond;

// 1 when the condition holds for the subject.
int TestDistanceCondition(cChara& subject, const cCond& cond);
// 1 when the other object's span on one axis meets the subject's judge span.
int JudgeRange(int p, int s, int o1, int o2, int g, int before, int after, int bothSides, int yAxis,
               const cChara& other, const cChara& subject);

// The data version of the replay being played (its file's version, taken
// when it was read): old replays keep the old distance rule.
extern std::uint32_t g_ReplayDataVersion;
