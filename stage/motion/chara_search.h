#pragma once
// Searches for characters in a list: the first one that passes a filter,
// or the one whose screen centre is nearest to a point (by the sum of the
// x and y distances, the first found on a tie). Target selection and the
// aiming of commands ask these.

#include <cstdint>
#include <optional>
#include <vector>

class cChara;

struct CharaFilter {
  bool useCid = false;
  int cid = 0;
  bool useVar = false;
  int varIndex = 0;
  std::int32_t value = 0;
  int compare = 0;
  std::optional<std::int32_t> excludeNumber;  // the searching character itself
  bool excludeInvincibleHit = false;   // invincibility setting 1 (shots still hit)
  bool excludeInvinciblePass = false;  // invincibility setting 2 (shots pass through)
  bool excludeBlockCharas = false;
  int excludeSide1 = -1;
  int excludeSide2 = -1;
};

enum NearestMode : int { kNearestOnScreenFirst = 0, kNearestAll = 1, kNearestOnScreenOnly = 2 };

// The screen centre of a character's drawn cell (the halves of its size
// taken by an arithmetic shift).
void GetCenter(const cChara& chara, double& x, double& y);
// Whether a candidate passes: not dead, and none of the filter's switches
// rules it out.
bool PassesCharaFilter(const cChara& chara, const CharaFilter& filter);
cChara* FindCharaInList(const std::vector<cChara*>& list, const CharaFilter& filter);
// The smallest distance wins (strictly, so the earlier of two equal ones
// stays); none at 2147483647 or beyond. Mode 0: present characters on the screen first, off-screen ones only when
// none on the screen qualifies; 1: every present character; 2: only those on
// the screen; any other mode finds nothing.
cChara* FindNearestChara(double x, double y, const std::vector<cChara*>& list, int mode, const CharaFilter& filter);
