// The ten database lists of the sample game: animations of every character,
// the boss's extra bitmap, a sword, effects, pictures, sounds and music.
#include <initializer_list>

#include "project/effect_param_defaults.h"
#include "tools/sample_game/project_files.h"
#include "tools/sample_game/record_bytes.h"
#include "tools/sample_game/sound_effects.h"

namespace sample_game {
namespace {

// An animation of cells, each shown for `tenths` tenths of a second.
cAnime Animation(const char* name, std::initializer_list<int> cells, int tenths) {
  cAnime anime;
  anime.SetDefaults();
  anime.m_strName = Sjis(name);
  anime.m_vFrames.clear();
  for (int cell : cells) {
    cAnimeFrame frame;
    frame.nPattern = cell;
    frame.nTime = tenths;
    anime.m_vFrames.push_back(frame);
  }
  return anime;
}

// A character's four state animations. The cells count from the character's
// own first cell (its graphic offset): standing and flying show that cell,
// moving cycles the four cells of the column's first row group at `tenths`.
cAnimeSet StateAnimations(const char* name, int tenths) {
  cAnimeSet set;
  set.SetDefaults();
  set.m_strName = Sjis(name);
  set.m_vAnime[0] = Animation("立ち", {0, 2}, 10);
  set.m_vAnime[1] = Animation("立ち移動", {0, 1, 2, 3}, tenths);
  set.m_vAnime[2] = Animation("飛行", {0, 1}, tenths);
  set.m_vAnime[3] = Animation("飛行移動", {0, 1, 2, 3}, tenths);
  return set;
}

template <typename Record>
Record FileEntry(const char* name, const std::string& file) {
  Record record;
  record.m_strName = Sjis(name);
  record.m_strFile = Sjis(file);
  return record;
}

cEffect PointEffect(const char* name, const char* file, int frames) {
  cEffect effect;
  effect.SetDefaults();
  effect.m_strName = Sjis(name);
  effect.m_strFile = Sjis(file);
  effect.m_vFrames.clear();
  for (int f = 0; f < frames; ++f) {
    cIntPair frame;
    frame.nFirst = f;
    frame.nSecond = 1;
    effect.m_vFrames.push_back(frame);
  }
  return effect;
}

template <typename Record>
Record KindEffect(const char* name, int kind, const EffectParamRow& params) {
  Record record;
  record.m_strName = Sjis(name);
  record.m_nKind = kind;
  for (std::size_t i = 0; i < params.size(); ++i) record.m_anParam[i] = params[i];
  return record;
}

struct NamedKind {
  const char* name;
  int kind;
};

// Character effects by kind; "点滅" and "破裂" keep their numbers 1 and 2.
constexpr NamedKind kCharaEffects[] = {
    {"点滅", 6},     {"破裂", 1},     {"波（横）", 4}, {"半透明", 14},   {"分割（横）", 2}, {"分割（縦）", 3},
    {"波（縦）", 5}, {"回転A", 7},    {"回転B", 8},    {"奥行き回転", 9}, {"円", 10},        {"拡大", 11},
    {"レンズ", 12},  {"色変化", 13},  {"モザイク", 15}, {"ぼかし", 16},
};
// Screen effects by kind; "揺れ" keeps number 1.
constexpr NamedKind kScrEffects[] = {
    {"揺れ", 2},     {"モザイク", 13}, {"移動", 1},     {"縦揺れ", 3}, {"分割（横）", 4}, {"分割（縦）", 5}, {"波（横）", 6},
    {"波（縦）", 7}, {"点滅", 8},      {"回転", 9},     {"円", 10},    {"ズーム", 11},    {"レンズ", 12},
};

}  // namespace

cDatabase BuildDatabase() {
  cDatabase db;
  db.m_vAnimeSet.push_back(StateAnimations("ヒーロー", 1));
  db.m_vAnimeSet.push_back(StateAnimations("モスリング", 2));
  db.m_vAnimeSet.push_back(StateAnimations("コウモリ", 1));
  db.m_vAnimeSet.push_back(StateAnimations("砲台", 3));
  db.m_vAnimeSet.push_back(StateAnimations("ボス", 2));

  db.m_vAnime.push_back(Animation("コイン回転", {0, 1, 2, 1}, 1));
  db.m_vAnime.push_back(Animation("ヒーロー歩き", {0, 1, 2, 3}, 1));
  db.m_vAnime.push_back(Animation("ヒーロージャンプ", {4}, 10));
  db.m_vAnime.push_back(Animation("ヒーローダメージ", {8, 0, 8, 0}, 1));
  db.m_vAnime.push_back(Animation("ベルトコンベア", {9, 10}, 1));
  db.m_vAnime.push_back(Animation("ボスの咆哮", {0, 1, 0, 1}, 2));

  cBmpCharaExc boss;
  boss.m_strName = Sjis("ボス（大）");
  boss.m_strFile = Sjis("bmp\\chara_sp\\Boss.bmp");
  boss.m_nBigCell = 1;
  boss.m_nCellScale = 2;
  db.m_vBmpCharaExc[1] = boss;

  cSwordType sword;
  sword.SetDefaults();
  sword.m_strName = Sjis("ショートソード");
  sword.m_strFile = Sjis("bmp\\sword\\Sword.bmp");
  sword.m_strFile2 = Sjis("bmp\\sword\\Sword2.bmp");
  sword.m_vEntries.clear();
  for (int f = 0; f < 3; ++f) {
    cSwordTypeEntry entry;
    entry.nSrcX = 32 * f;
    entry.nWidth = 32;
    entry.nHeight = 32;
    entry.nEntryTime = 1;
    sword.m_vEntries.push_back(entry);
  }
  db.m_vSwordType.push_back(sword);

  db.m_vEffect[1] = PointEffect("爆発", "bmp\\effect\\Burst.bmp", 6);
  db.m_vEffect.push_back(PointEffect("きらきら", "bmp\\effect\\Sparkle.bmp", 4));

  // Entry 0 stays empty; after it one entry of every kind, in the order the cast names them.
  db.m_vCharaEffect.resize(1);
  for (const auto& [name, kind] : kCharaEffects)
    db.m_vCharaEffect.push_back(
        KindEffect<cCharaEffect>(name, kind, g_CharaEffectParamDefaults[static_cast<std::size_t>(kind)]));
  db.m_vScrEffect.resize(1);
  for (const auto& [name, kind] : kScrEffects)
    db.m_vScrEffect.push_back(KindEffect<cScrEffect>(name, kind, g_ScrEffectParamDefaults[static_cast<std::size_t>(kind)]));

  db.m_vPicture[1] = FileEntry<cPicture>("看板", "bmp\\picture\\Sign.bmp");
  db.m_vPicture.push_back(FileEntry<cPicture>("ステージクリア", "bmp\\picture\\Clear.bmp"));

  const auto& sounds = DatabaseSounds();
  db.m_vSound.resize(1 + sounds.size());
  for (std::size_t i = 0; i < sounds.size(); ++i)
    db.m_vSound[1 + i] = FileEntry<cSound>(sounds[i].name.c_str(), sounds[i].path);

  db.m_vBgm[kBgmTitle] = FileEntry<cBgm>("タイトル", "bgm\\Title.mid");
  db.m_vBgm.push_back(FileEntry<cBgm>("ワールドマップ", "bgm\\Map.mid"));
  db.m_vBgm.push_back(FileEntry<cBgm>("ステージ", "bgm\\Stage.ogg"));
  db.m_vBgm.push_back(FileEntry<cBgm>("ボス", "bgm\\Boss.mid"));
  db.m_vBgm[kBgmStage].m_nVolume = 80;
  return db;
}

}  // namespace sample_game
