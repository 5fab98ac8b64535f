#pragma once
// The shared ground of every formation: one firing (who fires, with which
// record, what kind of object it makes), the owner's drawn cell on the
// screen that rows and points are laid out around, the direction codes with
// their base angles, and the velocity of an angle.
//
// Formations lay objects out in screen dots around a drawn cell and turn
// them into stage dots by adding the truncated scroll position, so that a
// row stands where the player sees the owner, whatever fraction of a dot
// the view has scrolled.

#include <cstdint>
#include <functional>
#include <numbers>

#include "stage/shots/stage_shot.h"

class cChara;
class cEdBlock;
class cEdChara;
class cEdItem;
class cEdShot;
class cStageObj;
class cStageScene;

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
inline constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Kinds of object a placement makes (the command kinds that fire them).
enum PlacedKind : int { kPlaceShot = 11, kPlaceBlock = 13, kPlaceChara = 14, kPlaceItem = 15 };

// One firing: the owner, its record, the kind of object and, for a summon,
// the definition each placed object is made from; `place` makes one object
// at a placement (PlaceObject; a formation only lays out).
struct Firing {
  cStageScene& scene;
  cChara& owner;
  const cEdShot& rec;
  int kind = kPlaceShot;
  const cEdBlock* block = nullptr;
  const cEdChara* chara = nullptr;
  const cEdItem* item = nullptr;
  std::function<void(const Firing&, const ShotPlacement&)> place;
};

// An object's drawn cell on the screen (inclusive edges) and its size.
struct DrawnCell {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0, width = 0, height = 0;
  std::int32_t CentreX() const { return left + width / 2; }
  std::int32_t CentreY() const { return top + height / 2; }
};
DrawnCell DrawnCellOf(const cStageObj& obj);

// The scroll position, truncated to whole dots.
std::int32_t ScrollDotsX();
std::int32_t ScrollDotsY();

// 1 / sqrt(2): the share of a diagonal speed or distance on each axis.
double DiagonalShare();

bool IsDiagonalCode(int code);
bool IsKnownCode(int code);
// Base angle in degrees of a direction code: 2 -> 0, 3 -> 180, 6 -> 90,
// 7 -> 270, 8 -> 45, 9 -> 315, 10 -> 135, 11 -> 225; 0 for the others.
int BaseAngle(int code);
// Signs of motion of a direction code on each axis: -1, 0 or +1.
int SignX(int code);
int SignY(int code);

// The velocity of angle a (degrees) at the placement's speed:
// (-cos a x speed, -sin a x speed); 0 degrees points left, 90 up.
void SetVelocityByAngle(ShotPlacement& placement, double degrees);
// The velocity straight along a direction code; a diagonal takes
// speed / sqrt(2) on each axis.
void SetVelocityAlong(ShotPlacement& placement, int code);
// An angle other than 0, or the aim switch, turns the formation.
bool IsTurned(const cEdShot& rec, const ShotPlacement& placement);
