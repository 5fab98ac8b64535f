#pragma once
// The push the block-character pass keeps for each side while it walks the
// block characters: the best position found so far, and the velocity and
// number of the character that gave it.

#include <cstdint>

#include "stage/contacts/block_chara_index.h"

struct PushCandidate {
  bool set = false;
  double pos = 0;
  double v = 0;
  std::int32_t id = kNoCharaId;

  // Keeps `p` when it is the first or larger (larger = true) / smaller.
  bool Offer(double p, bool larger, double velocity, std::int32_t number) {
    if (set && (larger ? p <= pos : p >= pos)) return false;
    set = true;
    pos = p;
    v = velocity;
    id = number;
    return true;
  }
  void Clear() { *this = PushCandidate{}; }
};

struct PushCandidates {
  PushCandidate left, right, top, bottom;
};

// How far two boxes overlap along one axis (closed intervals): the part of
// a that lies over b's near edge, or b's far edge into a.
inline double OverlapExtent(double aLow, double aHigh, double bLow, double bHigh) {
  if (aHigh >= bLow && bLow > aLow) return aHigh - bLow + 1;
  return bHigh - aLow + 1;
}

class cChara;

// Moves the object to the left push, then the right one (the right wins);
// a push by the character it rides leaves the landing mark alone.
void PushSideways(cChara& obj, const PushCandidates& p);
// The walking branch of HitBlockCharas.
int HitBlockCharasWalking(cChara& obj);
