#pragma once
// Shot parameters of the commands that fire shots or swords or summon blocks,
// characters and items ("ショット", "ソード", "ブロック召喚", "キャラ召喚",
// "アイテム召喚"), held by the command. Member comments give each field's
// number in the stream and the setting it holds; the formations, shots in
// flight and summons give them their effect.

#include <cstdint>

#include "foundation/record.h"

// Shot formations (field 2).
enum ShotFormation : std::uint8_t {
  kFormationStraightA = 0,  // "直進A"
  kFormationStraightB = 1,  // "直進B"
  kFormationSpread = 2,     // "拡散"
  kFormationThunder = 3,    // "落雷"
  kFormationBurst = 4,      // "爆発"
  kFormationSurround = 5,   // "包囲"
};

// Movement kinds of a shot (field 28).
enum ShotMoveKind : std::uint8_t {
  kShotStraight = 0,        // "直進"
  kShotAimHero = 1,         // "主人公を狙う"
  kShotAimNearest = 2,      // "近いキャラを狙う"
  kShotAimTarget = 3,       // "ターゲットを狙う"
  kShotHomeHero = 4,        // "主人公へ誘導"
  kShotHomeNearest = 5,     // "近いキャラへ誘導（対象死亡時、誘導を無効化）"
  kShotHomeTarget = 6,      // "ターゲットへ誘導"
  kShotHomeNearestNext = 7, // "近いキャラへ誘導（対象死亡時、対象を変更）"
  kShotWave = 8,            // "ウェーブ"
  kShotFall = 9,            // "落下"
};

// Block-summon modes (field 55).
enum BlockSummonMode : std::uint8_t {
  kSummonBlockPut = 0,     // "ブロックを召喚"
  kSummonBlockRemove = 1,  // "ブロックを消す"
  kSummonBlockToggle = 2,  // "ブロックがなければ召喚、ブロックがあれば消す"
};

class cEdShot : public cRecord {
 public:
  static constexpr int kLoggedSize = 132;
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The generic stream, then the upgrades of files older than this program.
  void Load(DataReader& in) override;

  // Launch offset of shot or summoned object n: base + n x step, negated
  // for an owner facing right (facing 1) while the mirror switch is on.
  int GetShiftX(int n, int facing) const;
  int GetShiftY(int n, int facing) const;

  std::uint8_t m_nCount = 1;                 // 1: "発射数" / "数"
  std::uint8_t m_nFormation = 0;             // 2: ShotFormation
  std::uint16_t m_anFormationParam[3] = {};  // 3: "フォーメーション固有1"-"3"
  std::uint8_t m_nFormationBase = 0;         // 4: "落雷" and "包囲" around 0 the target, 1 the hero, 2 the owner
  std::uint8_t m_nDirection = 0;             // 5: direction code of the shots or summoned objects
  std::uint8_t m_bAim = 0;                   // 6: aimed at the character in target slot m_nAimSlot
  std::uint8_t m_nAimSlot = 0;               // 7: target slot 0-3 of the aim and of the target reference
  std::int16_t m_nAngle = 0;                 // 8: "角度のズレ"
  std::int16_t m_nAngleStep = 0;             // 9: "分身値による角度のズレ"
  std::uint8_t m_bAngleMirror = 0;           // 10: the angle offset mirrors with the owner's facing
  std::uint16_t m_nSpread = 0;               // 11: "分散角度"
  std::uint8_t m_bTurnRow = 0;               // 12: a row fired at an angle turns as a whole
  std::uint8_t m_nClones = 0;                // 13: "発射数に対する分身数"
  std::int16_t m_nShiftX = 0;                // 14: "発射位置のズレX(dot)" / "召喚位置のズレX(dot)"
  std::int16_t m_nShiftXStep = 0;            // 15: "分身値による発射位置のズレX(dot)"
  std::int16_t m_nShiftY = 0;                // 16
  std::int16_t m_nShiftYStep = 0;            // 17
  std::uint8_t m_bMirrorShiftX = 0;          // 18
  std::uint8_t m_bMirrorShiftY = 0;          // 19
  std::uint16_t m_nGraphic = 1;              // 20: "グラフィック"
  std::uint8_t m_nZ = 0;                     // 21: "Z座標"
  std::uint8_t m_bHide = 0;                  // 22: the shot or sword is not drawn
  std::uint8_t m_bOwnerFaction = 0;          // 23: the shot takes its owner's faction instead of m_nFaction
  std::uint8_t m_nFaction = 0;               // 24: "勢力"
  std::uint8_t m_nField25 = 0;               // 25
  std::uint8_t m_nSize = 1;                  // 26: size factor (0 counts as 1)
  std::uint8_t m_nField27 = 0;               // 27
  std::uint8_t m_nMoveKind = 0;              // 28: ShotMoveKind of a shot; the sword type of a sword
  std::uint16_t m_anMoveParam[3] = {};       // 29: "移動タイプ固有1"-"3"
  std::uint8_t m_nTargetSlot = 0;            // 30: target slot 0-3 of "ターゲットを狙う" and "ターゲットへ誘導"
  std::uint8_t m_bScroll = 0;                // 31: the shot rides the automatic scroll
  std::int16_t m_nSpeed = 0;                 // 32: "速度"
  std::int16_t m_nSpeedStep = 0;             // 33: "分身値による増加速度"
  std::uint8_t m_bAccelerate = 0;            // 34: fields 35 and 36 are in force
  std::int16_t m_nAccel = 0;                 // 35: "加速度"
  std::int16_t m_nAccelStep = 0;             // 36: "分身値による増加加速度"
  std::uint16_t m_nRange = 0;                // 37: "飛距離(hbl)"
  std::uint8_t m_bRange = 0;                 // 38: the flight ends after the range
  std::int16_t m_nRangeStep = 0;             // 39: "分身値による増加飛距離"
  std::uint8_t m_bStopAtRange = 0;           // 40: at the end of its range the shot stops instead of vanishing
  std::uint8_t m_bLifeTime = 0;              // 41: the shot vanishes after its existence time
  std::uint16_t m_nLifeTime = 0;             // 42: "存在時間(1/10s)"
  std::int16_t m_nLifeTimeStep = 0;          // 43: "分身値よる増加存在時間"
  std::uint8_t m_bPassBlocks = 0;            // 44: blocks do not stop the shot
  std::uint8_t m_bPierce = 0;                // 45: the shot flies on after hitting a character
  std::uint8_t m_bPierceBlockChara = 0;      // 46: the same for block characters
  std::uint8_t m_bCancel = 0;                // 47: shots of other sides cancel by their vanish value
  std::uint8_t m_nVanishValue = 1;           // 48: "消滅値"
  std::int32_t m_nPower = 0;                 // 49: "威力"
  std::uint16_t m_nField50 = 0;              // 50
  std::int8_t m_nImpact = 0;                 // 51: "衝撃"
  std::uint16_t m_nHitEffect = 0;            // 52: point effect shown where the shot hits
  std::uint8_t m_nItemPalette = 0;           // 53: item reference: 1 common palette, 2 stage palette
  std::uint16_t m_nItemIndex = 0;            // 54: its index in that palette's items
  std::uint8_t m_nBlockSummonMode = 0;       // 55: BlockSummonMode
  std::uint8_t m_bGuardHero = 0;             // 56: a summoned block never closes on the hero
  std::uint8_t m_bGuardCharas = 0;           // 57: the same for the other characters
  std::uint8_t m_nSummonPalette = 0;         // 58: palette of a summoned definition: 0 common, 1 stage
  std::uint16_t m_nSummonIndex = 0;          // 59: its definition index
  std::uint8_t m_nSummonFaction = 0;         // 60: 0 the definition's own, 1 the owner's, 2 m_nFaction
  std::uint8_t m_nField61 = 0;               // 61
  std::uint8_t m_bReverse = 0;               // 62: a summoned object faces away from the owner
  std::uint8_t m_bAttack = 0;                // 63: the shot's hits count as the owner's attack
  std::uint8_t m_nAttackFlowId = 0;          // 64: ID letter of the owner's attack flows (0 any, 1-26 A-Z)

 private:
  void Upgrade(std::uint32_t version);
};
