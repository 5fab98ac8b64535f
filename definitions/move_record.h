#pragma once
// Movement parameters of the movement commands ("直線移動" to "画面外回避移動",
// "ジャンプ", "ワープ"), held by the command. The movement commands give the
// fields their meaning; this record fixes their widths, order, version gates,
// defaults and upgrades. Member comments give each field's number in the
// stream and the setting it holds. A new record has the switches 5, 6, 7, 13,
// 16 and 18 on, speed 10, reversal factor 1.0 and every other field 0.
//
// The editor's parameter list names only some fields; the roles of the
// others are our decision, fixed here: 2 the direction code, 6 and 7 move
// along x / y, 14 the move mode, 15 the time mode, 18 reverse with the
// facing, 21 the distance unit, 24 and 25 the distance and its increase per
// clone value, 26 the fixed axis, 33 the target slot. "円移動" keeps its
// settings in the fields of the target point and the angle (the Circle*
// accessors): period 8 (+ 9 per clone value), start angle 3 (+ 4 per clone
// value), end angle 10, added angle 11, rotation sense 2, mirror switches 16
// and 17.

#include <cstdint>

#include "foundation/record.h"

class cEdMove : public cRecord {
 public:
  static constexpr int kLoggedSize = 84;
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The generic stream, then the upgrades of files older than this program.
  void Load(DataReader& in) override;

  std::uint8_t m_nWarpMode = 0;        // 1: target mode of "ワープ" (0 direction and distance, 1-4 from target 1-4, 5 target point)
  std::uint8_t m_nDirection = 0;     // 2: direction code 0..12; the circle's rotation sense (2 or 3)
  std::int16_t m_nAngle = 0;         // 3: "角度"
  std::int16_t m_nAngleStep = 0;     // 4: "分身値による増加角度"
  std::uint8_t m_bAngleMirror = 1;   // 5: the angle becomes 360 - angle for a character placed facing right
  std::uint8_t m_bMoveOnX = 1;       // 6: a move to a target point moves along x
  std::uint8_t m_bMoveOnY = 1;       // 7: the same for y
  std::int16_t m_nTargetXBl = 0;     // 8: "目標X(bl)"
  std::int16_t m_nTargetYBl = 0;     // 9: "目標Y(bl)"
  std::int16_t m_nTargetXDot = 0;    // 10: "目標X(dot)"
  std::int16_t m_nTargetYDot = 0;    // 11: "目標Y(dot)"
  std::uint8_t m_nTargetBase = 0;    // 12: 0 from the placement, 1 relative, 2 absolute, 3 screen
  std::uint8_t m_bStopAtTarget = 1;  // 13: the move lasts until the target point is reached
  std::uint8_t m_nMoveMode = 0;      // 14: 0 "方向で指定", 1 "目標座標で指定"
  std::uint8_t m_nTimeMode = 0;      // 15: 0 "時間と速度を指定", 1 "時間と距離を指定", 2 "速度と距離を指定"
  std::uint8_t m_bMirrorTargetX = 1; // 16: the target x is negated for a character placed facing right
  std::uint8_t m_bMirrorTargetY = 0; // 17: the same for y
  std::uint8_t m_bTurnWithFacing = 1; // 18: a straight move reverses when the facing changes
  std::uint8_t m_bClampStep = 0;     // 19: with m_bStopAtTarget, a move shorter than one step does not move
  std::uint8_t m_bKeepFacing = 0;    // 20: the move does not turn the character
  std::uint8_t m_nDistanceUnit = 0;  // 21: 1 dots, else half blocks of 16 dots
  std::int16_t m_nSpeed = 10;        // 22: tenths of a dot per frame
  std::int16_t m_nSpeedStep = 0;     // 23: added per clone value
  std::int16_t m_nDistance = 0;      // 24: the move's distance
  std::int16_t m_nDistanceStep = 0;  // 25: added per clone value
  std::uint8_t m_nFixedAxis = 0;     // 26: 0 none, 1 x fixed, 2 y fixed
  std::int16_t m_nHomingLag = 0;     // 27: "誘導性能の悪さ"
  std::int16_t m_nHomingLagStep = 0; // 28: "分身値による増加誘導性能の悪さ"
  std::uint8_t m_bAccelerate = 0;    // 29: the speed acts as an acceleration up to m_nTopSpeed
  std::int16_t m_nTopSpeed = 0;      // 30: tenths of a dot per frame
  double m_dReversal = 1.0;          // 31: factor on the acceleration while still moving the other way
  std::uint8_t m_nMoveAnime = 0;     // 32: 0 "移動アニメ", 1 "静止アニメ", 2 "その他"
  std::uint8_t m_nTargetSlot = 0;    // 33: target slot 0..3 of the charge and homing moves

  int CirclePeriod() const { return m_nTargetXBl; }
  int CirclePeriodStep() const { return m_nTargetYBl; }
  int CircleEndAngle() const { return m_nTargetXDot; }
  int CircleAddAngle() const { return m_nTargetYDot; }
  bool CircleMirror() const { return m_bMirrorTargetX != 0; }
  bool CircleMirrorAgain() const { return m_bMirrorTargetY != 0; }

 private:
  void Upgrade(std::uint32_t version);
};
