#pragma once
// Names of the values that definitions store. The player shows only the
// switch names; every other name table of the editor is kept here as the
// enumeration of the values it names (the editor's words in the comments),
// so that code reads the values by name and nothing carries unused texts.
// Command kinds are in definitions/command_kinds.h, condition and flow
// values beside their records.

#include <cstdint>
#include <string>
#include <vector>

// "OFF", "ON" and the closing empty text (CP932).
const std::vector<std::string>& g_SwitchNames();

// Palette kind of a definition's inheritance source (0 none, 1 common, 2 stage).
enum PaletteKind : std::uint8_t {
  kPaletteNone = 0,    // "継承しない" / "なし"
  kPaletteCommon = 1,  // "コモンパレット"
  kPaletteStage = 2,   // "ステージパレット"
};

// Graphic kinds of blocks, characters and items.
enum GraphicKind : std::uint8_t {
  kGraphicBlock = 0,       // "ブロック"
  kGraphicChara = 1,       // "キャラ"
  kGraphicItem = 2,        // "アイテム"
  kGraphicShot = 3,        // "ショット"
  kGraphicCharaSheet = 4,  // "専用bmp"
};

// Collision kind of a block-map cell.
enum BlockCollision : std::uint8_t {
  kCollisionNone = 0,   // "当たらない"
  kCollisionSolid = 1,  // "当たる"
  kCollisionDeadly = 2, // "主人公が当たると即死"
};

// Pass side of a block: kPassNone, then sides 0 to 7 as 1 to 8.
inline constexpr std::uint8_t kPassNone = 0;  // "なし"

// Block effects.
enum BlockEffect : std::uint8_t {
  kBlockEffectNone = 0,    // "なし"
  kBlockEffectJump = 1,    // "ジャンプ X=高さ(hbl)"
  kBlockEffectNoJump = 2,  // "ジャンプ禁止"
  kBlockEffectSpeed = 3,   // "移動速度変更 X=％"
  kBlockEffectLeft = 4,    // "左移動 X=移動速度"
  kBlockEffectRight = 5,   // "右移動 X=移動速度"
};

// How often an item can be taken.
enum ItemTakeRule : std::uint8_t {
  kTakeOnce = 0,    // "1回だけ取れる"
  kTakeAlways = 1,  // "何回でも取れる"
  kTakeNever = 2,   // "取れない"
};

// Scroll kind of each stage axis.
enum ScrollKind : std::uint8_t {
  kScrollFollowHero = 0,  // "主人公の位置に合わせてスクロール"
  kScrollAuto = 1,        // "オートスクロール"
};

// Stage speed levels 1 to 19: levels 1 to 10 limit the speed to 60 x level,
// levels 11 to 19 run sub-steps 1 to 9 with the limit of level 10.
inline constexpr int kMinSpeedLevel = 1;
inline constexpr int kMaxSpeedLevel = 19;
// Collision levels (StepMaskCount): 0 every sub-step, 1 to 5 that many per frame.
inline constexpr int kMaxCollisionLevel = 5;

// Vertical placement of a box in its 32-dot cell.
enum BoxPlacement : std::uint8_t {
  kBoxCentred = 0,  // "中央" / "中"
  kBoxBottom = 1,   // "下"
};

// How the hero's boxes are shown.
enum BoxDisplay : std::uint8_t {
  kBoxHidden = 0,  // "表示しない"
  kBoxFilled = 1,  // "表示する"
  kBoxFrame = 2,   // "枠のみ表示"
};

// Colours of the hero's boxes: "赤", "緑", "青", "黄", "赤紫", "青紫", "黒", "虹".
enum BoxColour : std::uint8_t {
  kBoxRed = 0,
  kBoxGreen = 1,
  kBoxBlue = 2,
  kBoxYellow = 3,
  kBoxMagenta = 4,
  kBoxViolet = 5,
  kBoxBlack = 6,
  kBoxRainbow = 7,
};
