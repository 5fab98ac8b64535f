#pragma once
// The object-list contact pass, run once per sub-step while the hero lives:
// shots and swords against the characters of the other groups, the marked
// shots removed, body attacks between characters of different groups, then
// shots of different sides cancelling each other. Each phase returns 0 to go
// on, 1 when the stage was cleared or 2 when the hero died (the pass then
// stops at once).

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "stage/chara/chara.h"

class cStageScene;

int HitCharasWithShots(cStageScene& scene);
int RunBodyAttacks(cStageScene& scene);

// Body attacks pass over the pairs whose boxes cannot meet; the full walk of
// every pair gives the same hits in the same order and stays to check that.
enum class BodyAttackWalk { kPruned, kFull };
inline BodyAttackWalk g_BodyAttackWalk = BodyAttackWalk::kPruned;
void CancelShots();

// Whether a character takes part in contacts now.
bool TakesPart(const cChara& chara);

template <typename Box>
bool BoxesOverlap(const Box& a, double left, double top, double right, double bottom) {
  return a.left <= right && left <= a.right && a.top <= bottom && top <= a.bottom;
}

// Walks a group list in order while the walk's own hits and flows may take
// characters out of it (the walk goes on with the one that followed) or
// append to it (they are visited); f returns a non-zero outcome to stop.
// `next(i)` gives the first place from i on worth visiting: the places it
// passes over must be ones where f would do nothing.
template <typename F, typename Next>
int WalkGroup(std::vector<cChara*>& list, F&& f, Next&& next) {
  for (std::size_t i = next(std::size_t{0}); i < list.size(); i = next(i)) {
    cChara* chara = list[i];
    if (const int outcome = f(*chara)) return outcome;
    if (i < list.size() && list[i] == chara) {
      ++i;
      continue;
    }
    const auto it = std::find(list.begin(), list.end(), chara);
    if (it != list.end()) i = static_cast<std::size_t>(it - list.begin()) + 1;
  }
  return 0;
}

template <typename F>
int WalkGroup(std::vector<cChara*>& list, F&& f) {
  return WalkGroup(list, std::forward<F>(f), [](std::size_t i) { return i; });
}
