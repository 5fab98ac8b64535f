#pragma once
// The values of the definitions' options that the runtime tests by name,
// with the editor's words in the comments. Values of the condition, flow,
// shot and command records are beside those records; the block, item and
// stage values in definitions/name_tables.h.

#include <cstdint>

// Direction codes of movement, warps, placement and shots.
enum DirectionCode : std::uint8_t {
  kDirFront = 0,      // "前": the facing direction
  kDirBack = 1,       // "後"
  kDirLeft = 2,       // "左"
  kDirRight = 3,      // "右"
  kDirFrontY = 4,     // "前Y"
  kDirBackY = 5,      // "後Y"
  kDirUp = 6,         // "上"
  kDirDown = 7,       // "下"
  kDirUpLeft = 8,     // "左上"
  kDirDownLeft = 9,   // "左下"
  kDirUpRight = 10,   // "右上"
  kDirDownRight = 11, // "右下"
  kDirInput = 12,     // "入力方向"
};

// Character statuses of status conditions and status operations.
enum CharaStatus : std::uint8_t {
  kStatusCharaVar = 0,     // "キャラ変数"
  kStatusHp = 1,           // "HP"
  kStatusSp = 2,           // "SP"
  kStatusMaxHp = 3,        // "最大HP"
  kStatusMaxSp = 4,        // "最大SP"
  kStatusCharaId = 5,      // "キャラID"
  kStatusZ = 6,            // "Z座標"
  kStatusMark = 7,         // "マーク番号"
  kStatusViewRange = 8,    // "視界範囲(hbl)"
  kStatusBodyPower = 9,    // "体当たりの威力"
  kStatusBodyImpact = 10,  // "体当たりの衝撃"
  kStatusDefence = 11,     // "防御力"
  kStatusImpactGuard = 12, // "衝撃耐性"
  kStatusStopEase = 13,    // "止まりやすさ"
  kStatusScore = 14,       // "倒したら獲得するスコア"
};
inline constexpr int kCharaStatusCount = 15;

// System statuses (the object "システム").
enum SystemStatus : std::uint8_t {
  kSystemTime = 0,     // "時間"
  kSystemScrollX = 1,  // "横スクロール速度"
  kSystemScrollY = 2,  // "縦スクロール速度"
  kSystemScore = 3,    // "スコア"
  kSystemLives = 4,    // "残り人数"
};
inline constexpr int kSystemStatusCount = 5;

// Special statuses of "ステータスの操作2".
enum SpecialStatus : std::uint8_t {
  kSpecialVanish = 0,       // "消滅"
  kSpecialTransparent = 1,  // "透明"
  kSpecialFixFacing = 2,    // "向き固定"
  kSpecialFlight = 3,       // "飛行"
  kSpecialInvincible = 4,   // "無敵"
  kSpecialGiant = 5,        // "巨大化"
  kSpecialScrollSync = 6,   // "オートスクロールとシンクロ"
};

// Operations of "フローの操作" and the flows they address.
enum FlowOperation : std::uint8_t {
  kFlowStart = 0,   // "開始"
  kFlowEnd = 1,     // "終了"
  kFlowPause = 2,   // "一時停止"
  kFlowResume = 3,  // "再開"
  kFlowDelete = 4,  // "削除"
  kFlowFreeze = 5,  // "永久停止"
};
enum FlowSelection : std::uint8_t {
  kFlowThis = 0,        // "このフロー"
  kFlowAllButThis = 1,  // "このフロー以外全て"
  kFlowById = 2,        // "指定IDのフロー"
};

// Coordinate modes of target points.
enum CoordinateMode : std::uint8_t {
  kCoordFromPlacement = 0,  // "配置位置からの相対座標"
  kCoordRelative = 1,       // "相対座標"
  kCoordAbsolute = 2,       // "絶対座標"
  kCoordScreen = 3,         // "画面座標"
};

// Flight modes of a character ("飛行").
enum FlightMode : std::uint8_t {
  kFlightOff = 0,         // "OFF"
  kFlightThrough = 1,     // "ON (ブロックをすり抜ける)"
  kFlightBlocked = 2,     // "ON (ブロックに当たる)"
  kFlightBlockDeadly = 3, // "ON (ブロックに当たると即死)"
};
