#pragma once
// A shot or a sword on the stage. A shot flies by itself: its own velocity
// (what its movement kind steers: straight, aimed once, homing, a sideways
// wave, a fall) plus the scroll it rides, limited by a range and an
// existence time, stopped by blocks unless it passes them. A sword has no
// motion of its own: it stands beside its owner frame by frame, as its
// sword type lays the frames out, and ends with the last frame or with the
// owner.
//
// Every shot and sword lives in the stage's shot list (stage/shots/
// shot_list.h) at a stable address; characters hold it by pointer in their
// shot references (the owner and, for target-following kinds, the target),
// and the shot holds them back. Whoever goes first clears the other side's
// link, so neither ever points at a freed object. The characters a shot has
// hit are kept by their number, never by address.

#include <cstdint>
#include <vector>

#include "definitions/shot_record.h"
#include "stage/core/double_to_int.h"
#include "stage/objects/stage_obj.h"

class cChara;

inline constexpr int kCmdKindShot = 11;
inline constexpr int kCmdKindSword = 12;

// Roles of a shot in a character's shot references.
inline constexpr int kShotRoleTarget = 0;
inline constexpr int kShotRoleOwner = 4;

// Where one clone of a firing starts and how it leaves (the formations fill
// it in, one per clone).
struct ShotPlacement {
  std::int16_t cloneIndex = 0;
  double speed = 0;      // dots per frame
  double speedStep = 0;  // per clone
  std::int32_t angle = 0;
  std::int32_t range = 0;     // half blocks
  std::int32_t lifeTime = 0;  // tenths of a second
  double vx = 0, vy = 0;      // dots per frame
  std::int32_t startX = 0, startY = 0;  // stage dots
  std::int32_t stepX = 0, stepY = 0;    // to the next object of the row
  std::int32_t width = 16, height = 16;
  std::int32_t shiftX = 0, shiftY = 0;  // launch offsets
  std::int32_t direction = 0;           // direction code
};

// The hit box of a shot: left = trunc(x) + offset x, right = left + width
// - 1, as doubles; likewise top and bottom.
struct ShotBox {
  std::int32_t baseOffsetX = 0, baseOffsetY = 0, baseWidth = 0, baseHeight = 0;
  std::int32_t offsetX = 0, offsetY = 0, width = 0, height = 0;
  double left = 0, top = 0, right = 0, bottom = 0;
};

class cStageShot final : public cStageObj {
 public:
  cStageShot() = default;
  ~cStageShot() override;
  // Built in place in the shot list and linked from characters: never copied.
  cStageShot(const cStageShot&) = delete;
  cStageShot& operator=(const cStageShot&) = delete;

  void ScaleChanged(int newFactor) override;
  void ShiftYForScale(int newFactor, int oldFactor, int keepFlag) override;
  // Inline: every step of every shot moves its box.
  void UpdateBoxX() override {
    box.left = TruncToInt(x) + box.offsetX;
    box.right = box.left + box.width - 1;
  }
  void UpdateBoxY() override {
    box.top = TruncToInt(y) + box.offsetY;
    box.bottom = box.top + box.height - 1;
  }

  // A shot (kind 11) or a sword (kind 12) of `owner` from its record and
  // one placement. Registers nothing anywhere (AddShot does). False when
  // nothing can be made (a sword type that is missing or has no frames).
  bool Setup(int kind, std::int32_t serial, cChara* owner, const cEdShot& record, const ShotPlacement& placement);

  // One sub-step, in this order: MoveShot (1: remove), ApplyShotGravity,
  // ShotStepY, ShotStepX, ShotHitsBlock (1: remove).
  int MoveShot();
  void ApplyShotGravity();
  int ShotStepY();
  int ShotStepX();
  int ShotHitsBlock() const;
  // The sword's step in place of the flight: 1 when it ends.
  int SwordStep();

  bool IsSword() const { return shotFlag == 0; }
  // Gravity does not pull a floating shot; a falling one has stopped floating.
  bool Floats() const { return moveA != 0; }
  // Power, impact or an item: the shot does something when it hits.
  bool HasEffect() const { return rec.m_nPower != 0 || rec.m_nImpact != 0 || rec.m_nItemPalette != 0; }
  bool HasHit(std::int32_t charaNumber) const;
  void MarkHit(std::int32_t charaNumber);
  // Forgets the owner or the target (the character is going).
  void DropLink(const cChara& chara, int role);
  // Takes the shot out of its characters' shot references.
  void Unlink();

  // Layout: the fields that the shot passes read for every shot every
  // sub-step come first, right after the object's own such fields (its last
  // ones), in the order of the passes: the removal flags that every walk
  // tests, the hit box of the contact pass, the flight state, then the
  // record, whose flight settings lie near its start.
  std::int32_t removeMark = 0;  // set while removals are forbidden
  std::int32_t removed = 0;     // gone from the list, freed at the next purge
  ShotBox box;
  std::int32_t shotFlag = 1;  // 1 shot, 0 sword
  std::int32_t rangeLeft = 0;
  std::int32_t lifeLeft = 0;
  std::int32_t moveStep = 0;
  std::int32_t accelOn = 0;
  std::int32_t aimStart = 0, aimEnd = 0, aimDone = 0;
  double aimSpeed = 0;  // dots per sub-step
  double ownVx = 0, ownVy = 0;
  double accelX = 0, accelY = 0;
  double wavePhaseStep = 0, wavePhase = 0;
  double waveSin = 0, waveCos = 0;
  cEdShot rec;
  cChara* target = nullptr;
  std::vector<std::int32_t> hitNumbers;  // characters already hit, in hit order

  std::int32_t ownerSide = 0;
  std::int32_t swordFrame = 0;
  std::int32_t swordFrameStep = 0;
  double accel = 0;  // dots per sub-step squared
  std::int32_t serial = 0;
  std::uint8_t attack = 0;      // the hits count as the owner's attack
  std::uint8_t attackFlowId = 0;  // ID letter of the owner's attack flows
  cChara* owner = nullptr;
  std::int32_t ownerNumber = 0;
  std::int32_t swordType = 0;
};

// A shot's drawn centre in stage dots (inline: aimed and homing shots ask
// for it every step).
inline void ShotCentre(const cStageShot& shot, double& cx, double& cy) {
  cx = shot.screenLeft + shot.drawWidth / 2.0;
  cy = shot.screenTop + shot.drawHeight / 2.0;
}
