#pragma once
// The two command tables: which command a command record's kind byte names,
// and how many integer parameters that command keeps.
//
// Character commands (family 0) are numbered 0..39. Item commands (family 1)
// are a short table of their own: kind 0 is empty, kind 1 "フローの変更"
// installs flows, and kinds 2..24 are the character commands 17..39 under the
// same names. Code that handles "the same command" in both families maps an
// item kind onto its character kind with CharaKindOfItem and works with the
// character numbering.

#include <cstdint>

// Character command kinds (command table A).
enum CharaCmdKind : int {
  kCmdNone = 0,
  kCmdWait = 1,              // "ウエイト"
  kCmdStraightMove = 2,      // "直線移動"
  kCmdGroundTurnMove = 3,    // "地上折り返し移動"
  kCmdCircleMove = 4,        // "円移動"
  kCmdChargeMove = 5,        // "突撃移動"
  kCmdHomingMove = 6,        // "誘導移動"
  kCmdOffScreenMove = 7,     // "画面外回避移動"
  kCmdStopMove = 8,          // "移動の無効化"
  kCmdFacing = 9,            // "向き変更"
  kCmdJump = 10,             // "ジャンプ"
  kCmdShot = 11,             // "ショット"
  kCmdSword = 12,            // "ソード"
  kCmdSummonBlock = 13,      // "ブロック召喚"
  kCmdSummonChara = 14,      // "キャラ召喚"
  kCmdSummonItem = 15,       // "アイテム召喚"
  kCmdFlowControl = 16,      // "フローの操作"
  kCmdStageClear = 17,       // "ステージクリア"
  kCmdGameWait = 18,         // "ゲームウエイト"
  kCmdMessage = 19,          // "メッセージ"
  kCmdWarp = 20,             // "ワープ"
  kCmdSetTarget = 21,        // "ターゲットの設定"
  kCmdStatus = 22,           // "ステータスの操作"
  kCmdStatus2 = 23,          // "ステータスの操作2"
  kCmdVanish = 24,           // "消滅"
  kCmdTakeItem = 25,         // "アイテムの取得"
  kCmdChangeGraphic = 26,    // "グラフィックの変更"
  kCmdChangeAnimeSet = 27,   // "基本アニメセットの変更"
  kCmdAnime = 28,            // "アニメの実行"
  kCmdEffect = 29,           // "エフェクトの実行"
  kCmdCharaEffect = 30,      // "キャラエフェクトの実行"
  kCmdScrEffect = 31,        // "画面エフェクトの実行"
  kCmdPicture = 32,          // "ピクチャーの表示"
  kCmdScreenColor = 33,      // "画面の色を変更"
  kCmdBackground = 34,       // "背景の変更"
  kCmdSound = 35,            // "効果音の再生"
  kCmdBgm = 36,              // "BGMの再生"
  kCmdCode = 37,             // "コードの実行"
  kCmdArrange = 38,          // "アレンジ"
  kCmdLoop = 39,             // "ループ"
};

inline constexpr int kCharaCmdKindCount = 40;
inline constexpr int kItemCmdKindCount = 25;

// Item command kinds that have no character command of their own number.
inline constexpr int kItemCmdNone = 0;
inline constexpr int kItemCmdChangeFlow = 1;  // "フローの変更"
// Item kind k >= 2 is character kind k + kItemKindOffset.
inline constexpr int kItemKindOffset = 15;

// Command families: the table a kind byte indexes.
inline constexpr std::uint8_t kFamilyChara = 0;
inline constexpr std::uint8_t kFamilyItem = 1;

// The character kind that item kind `itemKind` shares its command with;
// kCmdNone for the empty item kind, -1 for "フローの変更" and kinds past the table.
int CharaKindOfItem(int itemKind);
// The item kind of a character command, or -1 when items have no such command.
int ItemKindOfChara(int charaKind);

// The number of parameters that a command of the family and kind keeps; -1
// for a family or kind outside the tables.
int CmdParamCount(int family, int kind);
