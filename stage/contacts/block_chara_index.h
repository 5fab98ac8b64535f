#pragma once
// The block characters of the stage in list order, and the small tests the
// contact passes ask of them. Block characters are few among many
// characters, and every moving object asks about them on every sub-step, so
// the index is kept beside the character list and rebuilt only when the
// list changes. A block character counts for an object when it is still a
// block character, not dead, present, not removed and not the object itself.

#include <cstdint>
#include <limits>
#include <vector>

// No character has this number (heroes count down from -1, characters up).
inline constexpr std::int32_t kNoCharaId = std::numeric_limits<std::int32_t>::min();

class cChara;
class cStageChara;
class cStageObj;

// The block characters in list order, rebuilt when the character list
// changed. The vector is valid until the list changes again: a walk that
// may start flows takes a copy.
const std::vector<cStageChara*>& BlockCharaIndex();

bool CountsAsBlockChara(const cStageChara& chara, int objNumber);
// The character's box meets the rectangle (closed intervals).
bool OverlapsRect(const cStageObj& chara, double x1, double y1, double x2, double y2);
// The counting block character whose box meets the object's box, skipping
// the one numbered `exceptId` (kNoCharaId: none skipped); null when none.
cStageChara* FindBlockCharaOverlapping(const cStageObj& obj, int exceptId);
int OverlapsBlockCharaExcept(const cStageObj& obj, int exceptId);
// The strip of five dots under the object's feet.
int StillOnRiddenChara(const cChara& obj);
cStageChara* FindCharaUnderFeet(const cStageObj& obj);
