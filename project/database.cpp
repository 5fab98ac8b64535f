#include "project/database.h"

#include <atomic>
#include <string>

#include "foundation/log.h"
#include "project/data_paths.h"

namespace {

std::atomic<std::uint64_t> g_effectListsEdition{1};

void MoveEffectListsEditionOn() { g_effectListsEdition.fetch_add(1, std::memory_order_relaxed); }

template <typename Record>
void ResetList(cVector<Record>& list, std::size_t entries, const Record& entry) {
  list.assign(entries, entry);
}

// The template of new list entries: the class in its default state.
template <typename Record>
Record DefaultRecord() {
  Record record;
  if constexpr (requires { record.SetDefaults(); }) record.SetDefaults();
  return record;
}

template <typename Record>
bool LoadStep(cVector<Record>& list, PathIndex path) {
  if (LoadDatabaseList(list, g_Paths[path], DefaultRecord<Record>())) return true;
  ReportLoadError(g_Paths[path]);
  return false;
}

}  // namespace

std::uint64_t EffectListsEdition() { return g_effectListsEdition.load(std::memory_order_relaxed); }

cEffectListsMark::cEffectListsMark() { MoveEffectListsEditionOn(); }
cEffectListsMark::cEffectListsMark(const cEffectListsMark&) { MoveEffectListsEditionOn(); }
cEffectListsMark& cEffectListsMark::operator=(const cEffectListsMark&) {
  MoveEffectListsEditionOn();
  return *this;
}
cEffectListsMark::~cEffectListsMark() { MoveEffectListsEditionOn(); }

cDatabase::cDatabase() { SetDefaults(); }

void cDatabase::SetDefaults() {
  Clear();
  ResetList(m_vAnimeSet, 1, DefaultRecord<cAnimeSet>());
  ResetList(m_vAnime, 2, DefaultRecord<cAnime>());
  m_vAnime[0].m_strName = Cp932Literal("なし");
  m_vAnime[1].m_strName = Cp932Literal("アクションA");
  ResetList(m_vBmpCharaExc, 2, DefaultRecord<cBmpCharaExc>());
  ResetList(m_vSwordType, 1, DefaultRecord<cSwordType>());
  ResetList(m_vEffect, 2, DefaultRecord<cEffect>());
  ResetList(m_vCharaEffect, 2, DefaultRecord<cCharaEffect>());
  ResetList(m_vScrEffect, 2, DefaultRecord<cScrEffect>());
  ResetList(m_vPicture, 2, DefaultRecord<cPicture>());
  ResetList(m_vSound, 2, DefaultRecord<cSound>());
  ResetList(m_vBgm, 2, DefaultRecord<cBgm>());
  m_vCharaEffectWork.clear();
  m_vScrEffectWork.clear();
  MoveEffectListsEditionOn();
}

int ReportLoadError(std::string_view storedPath) {
  const std::string path(storedPath);
  if (g_bFileNewer) {
    return ReportAndBox(Cp932Literal("%s の読み込みに失敗しました！\n"
                                     "実行ファイル(.exe)より上位のバージョンのファイルは使用できません。"),
                        path.c_str());
  }
  return ReportAndBox(Cp932Literal("%s の読み込みに失敗しました！"), path.c_str());
}

int LoadDatabases(cDatabase& database) {
  // The lists are loaded into a copy and committed together, so a refused load
  // leaves the database exactly as it was.
  cDatabase loaded(database);
  if (!LoadStep(loaded.m_vAnimeSet, PATH_ANIME_SET)) return 0;
  if (!LoadStep(loaded.m_vAnime, PATH_ANIME)) return 0;
  if (!LoadStep(loaded.m_vBmpCharaExc, PATH_BMP_CHARA_EXC)) return 0;
  if (!LoadStep(loaded.m_vSwordType, PATH_SWORD_TYPE)) return 0;
  if (g_FileVersion < kSwordTypeLimitBelow && loaded.m_vSwordType.size() > kOldSwordTypeLimit)
    loaded.m_vSwordType.resize(kOldSwordTypeLimit);
  if (!LoadStep(loaded.m_vEffect, PATH_EFFECT)) return 0;
  if (!LoadStep(loaded.m_vCharaEffect, PATH_CHARA_EFFECT)) return 0;
  if (!LoadStep(loaded.m_vScrEffect, PATH_SCR_EFFECT)) return 0;
  if (!LoadStep(loaded.m_vPicture, PATH_PICTURE)) return 0;
  if (!LoadStep(loaded.m_vSound, PATH_SOUND)) return 0;
  if (!LoadStep(loaded.m_vBgm, PATH_BGM)) return 0;
  ResetEffectEntryZero(loaded);
  database = std::move(loaded);
  return 1;
}

void ResetEffectEntryZero(cDatabase& database) {
  if (!database.m_vCharaEffect.empty()) database.m_vCharaEffect[0].m_nKind = 0;
  if (!database.m_vScrEffect.empty()) database.m_vScrEffect[0].m_nKind = 0;
}

void BuildEffectWorkCopies(cDatabase& database) {
  database.m_vCharaEffectWork = database.m_vCharaEffect;
  database.m_vScrEffectWork = database.m_vScrEffect;
  MoveEffectListsEditionOn();
}
