// Shots of different sides cancel each other where their boxes overlap and
// at least one of them has the cancel switch: of two cancelling shots the
// one with the lower "消滅値" goes (both on a tie); a shot with the switch
// goes against any shot without it.
#include <cstdint>

#include "stage/contacts/object_contacts.h"
#include "stage/shots/shot_list.h"

namespace {

bool Overlap(const cStageShot& p, const cStageShot& q) {
  return p.x <= q.right && q.x <= p.right && p.y <= q.bottom && q.y <= p.bottom;
}

int CancelValue(const cStageShot& shot) { return static_cast<std::int8_t>(shot.rec.m_nVanishValue); }

// p against q: whether q goes, and whether p goes.
void Judge(const cStageShot& p, const cStageShot& q, bool& qGoes, bool& pGoes) {
  const bool pCancels = p.rec.m_bCancel != 0;
  const bool qCancels = q.rec.m_bCancel != 0;
  qGoes = pGoes = false;
  if ((!pCancels && !qCancels) || !Overlap(p, q)) return;
  if (pCancels && qCancels) {
    qGoes = CancelValue(q) <= CancelValue(p);
    pGoes = CancelValue(q) >= CancelValue(p);
  } else {
    pGoes = pCancels;
    qGoes = qCancels;
  }
}

}  // namespace

void CancelShots() {
  for (std::size_t i = 0; i < g_ShotSides.size(); ++i) {
    for (std::size_t j = i + 1; j < g_ShotSides.size(); ++j) {
      if (g_ShotSides[i].empty() || g_ShotSides[j].empty()) continue;
      for (std::size_t a = 0; a < g_ShotSides[i].size(); ++a) {
        cStageShot& p = *g_ShotSides[i][a];
        if (p.removed) continue;
        bool cancelled = false;
        for (std::size_t b = 0; b < g_ShotSides[j].size(); ++b) {
          cStageShot& q = *g_ShotSides[j][b];
          if (q.removed) continue;
          bool qGoes = false;
          bool pGoes = false;
          Judge(p, q, qGoes, pGoes);
          if (qGoes) RemoveShot(q);
          cancelled = cancelled || pGoes;
        }
        if (cancelled) RemoveShot(p);
      }
    }
  }
}
