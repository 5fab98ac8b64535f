#pragma once
// The texts and numbers that a new project's system record holds. Texts are
// UTF-8 literals here and become CP932 when the record takes them.

#include <array>
#include <cstddef>
#include <string_view>

namespace system_defaults {

// Fixed list lengths; a file that holds shorter lists is padded back to them.
inline constexpr std::size_t kCarryOverItems = 25;
inline constexpr std::size_t kGauges = 5;
inline constexpr std::size_t kPlayModes = 4;
inline constexpr std::size_t kRankingGenres = 5;
inline constexpr std::size_t kSoundFiles = 17;
inline constexpr std::size_t kScreens = 4;
inline constexpr std::size_t kOptions = 11;

inline constexpr std::array<int, 9> kCarryOverEnabled = {0, 1, 13, 14, 16, 17, 19, 20, 21};
inline constexpr std::array<int, 2> kCarryOverResetItems = {11, 12};

struct GaugeDefault {
  std::string_view text;
  int digits;
};
inline constexpr std::array<GaugeDefault, kGauges> kGaugeItems = {{
    {"スコア", 4}, {"スコア", 3}, {"HP", 0}, {"SP", 0}, {"人", 2},
}};

inline constexpr std::array<std::string_view, 7> kTitleMenu = {
    "はじめから", "つづきから", "チャレンジ", "フリー", "リプレイ", "オプション", "しゅうりょう",
};
inline constexpr std::array<std::string_view, 4> kMapMenu = {"セーブ", "オートセーブ", "もどる", "タイトルへ"};
inline constexpr std::array<std::string_view, 6> kOptionMenu = {
    "BGM", "SE", "ランキング登録", "ランキング登録名", "もどる", "",
};
inline constexpr std::array<std::string_view, 4> kRankingEntryModes = {
    "手動登録（登録名入力）", "手動登録（登録名固定）", "自動登録（登録名入力）", "自動登録（登録名固定）",
};

inline constexpr std::array<int, 4> kLifeStart = {5, 5, 5, 99};
inline constexpr std::array<int, 4> kLifeUnlimited = {1, 1, 1, 1};

inline constexpr std::array<std::string_view, 29> kTerms = {
    "ワールド",
    "ステージ",
    "スコア",
    "ハイスコア",
    "トータルスコア",
    "スコア",
    "残り時間",
    "クリア時間",
    "残りHP",
    "残りSP",
    "ステージに挑む",
    "やっぱりやめる",
    "セーブする",
    "やっぱりやめる",
    "オートセーブＯＮ",
    "オートセーブＯＦＦ",
    "保存先が不明です！一度は「セーブ」して下さい！",
    "タイトルへ戻る",
    "やっぱりやめる",
    "しゅうりょう",
    "つづける",
    "リトライ",
    "",
    "リトライ",
    "マップへ戻る",
    "Vキーでジャンルの切り替え",
    "スペースキーでタイトルへ戻る",
    "スペースキーで終了",
    "F3キーでランキングへ登録",
};

// The start-up settings of "System.ini", by fixed index; entry 8 is the one text entry.
struct OptionDefault {
  std::string_view key;
  int value;
};
inline constexpr std::array<OptionDefault, kOptions> kOptionEntries = {{
    {"Direct3D", 2},
    {"WindowMode", 0},
    {"Bpp", 0},
    {"VSync", 2},
    {"D3D_FontCache", 0},
    {"DD_FontCache", 1},
    {"DD_VideoStretch", 0},
    {"ShowFps", 1},
    {"FreeStage", 0},
    {"English", 0},
    {"Midi_DirectMusic", 1},
}};
inline constexpr std::size_t kFreeStageOption = 8;

}  // namespace system_defaults
