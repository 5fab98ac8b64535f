#pragma once
// Movement parameters of the movement commands ("直線移動" to "画面外回避移動",
// "ジャンプ", "ワープ"), held by the command. The movement commands give the
// fields their meaning; this record fixes their widths, order, version gates,
// defaults and upgrades. Member comments give each field's number in the
// stream and the setting it holds where the commands name it. A new record
// has the switches 5, 6, 7, 13, 16 and 18 on, speed 10, reversal factor 1.0
// and every other field 0.

#include <cstdint>

#include "foundation/record.h"

class cEdMove : public cRecord {
 public:
  static constexpr int kLoggedSize = 84;
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The generic stream, then the upgrades of files older than this program.
  void Load(DataReader& in) override;

  std::uint8_t m_nWarpMode = 0;        // 1: target mode of "ワープ" (0 direction and distance, 1-4 from target 1-4, 5 target point)
  std::uint8_t m_nField2 = 0;        // 2
  std::int16_t m_nAngle = 0;         // 3: "角度"
  std::int16_t m_nAngleStep = 0;     // 4: "分身値による増加角度"
  std::uint8_t m_bAngleMirror = 1;   // 5: the angle becomes 360 - angle for a character placed facing right
  std::uint8_t m_nField6 = 1;        // 6
  std::uint8_t m_nField7 = 1;        // 7
  std::int16_t m_nTargetXBl = 0;     // 8: "目標X(bl)"
  std::int16_t m_nTargetYBl = 0;     // 9: "目標Y(bl)"
  std::int16_t m_nTargetXDot = 0;    // 10: "目標X(dot)"
  std::int16_t m_nTargetYDot = 0;    // 11: "目標Y(dot)"
  std::uint8_t m_nTargetBase = 0;    // 12: 0 from the placement, 1 relative, 2 absolute, 3 screen
  std::uint8_t m_bStopAtTarget = 1;  // 13: the move lasts until the target point is reached
  std::uint8_t m_nField14 = 0;       // 14
  std::uint8_t m_nField15 = 0;       // 15
  std::uint8_t m_bMirrorTargetX = 1; // 16: the target x is negated for a character placed facing right
  std::uint8_t m_bMirrorTargetY = 0; // 17: the same for y
  std::uint8_t m_nField18 = 1;       // 18
  std::uint8_t m_bClampStep = 0;     // 19: with m_bStopAtTarget, a move shorter than one step does not move
  std::uint8_t m_bKeepFacing = 0;    // 20: the move does not turn the character
  std::uint8_t m_nField21 = 0;       // 21
  std::int16_t m_nSpeed = 10;        // 22: tenths of a dot per frame
  std::int16_t m_nSpeedStep = 0;     // 23: added per clone value
  std::int16_t m_nField24 = 0;       // 24
  std::int16_t m_nField25 = 0;       // 25
  std::uint8_t m_nField26 = 0;       // 26
  std::int16_t m_nHomingLag = 0;     // 27: "誘導性能の悪さ"
  std::int16_t m_nHomingLagStep = 0; // 28: "分身値による増加誘導性能の悪さ"
  std::uint8_t m_bAccelerate = 0;    // 29: the speed acts as an acceleration up to m_nTopSpeed
  std::int16_t m_nTopSpeed = 0;      // 30: tenths of a dot per frame
  double m_dReversal = 1.0;          // 31: factor on the acceleration while still moving the other way
  std::uint8_t m_nMoveAnime = 0;     // 32: 0 "移動アニメ", 1 "静止アニメ", 2 "その他"
  std::uint8_t m_nField33 = 0;       // 33

 private:
  void Upgrade(std::uint32_t version);
};
