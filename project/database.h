#pragma once
// The project's database: ten lists of definitions read once at start-up from
// "data\database\", looked up everywhere by definition number (the index).

#include <cstdint>
#include <string_view>
#include "foundation/checked_vector.h"

#include "foundation/record.h"
#include "project/anime_records.h"
#include "project/effect_records.h"
#include "project/media_records.h"
#include "project/sprite_records.h"

// Moves on whenever the effect lists of some database may have been made
// anew: a database made, copied, moved, destroyed or loaded, or its
// working copies rebuilt. What holds on to definitions of g_Database's
// effect lists (the effect slots) binds again when it has moved.
std::uint64_t EffectListsEdition();

// A member whose every copy, move and destruction moves the edition on,
// so that the database's own implicit ones do.
class cEffectListsMark {
 public:
  cEffectListsMark();
  cEffectListsMark(const cEffectListsMark&);
  cEffectListsMark& operator=(const cEffectListsMark&);
  ~cEffectListsMark();
};

class cDatabase : public cRecord {
 public:
  cDatabase();
  // Every list back to its default entries; the working copies emptied.
  void SetDefaults();

  cVector<cAnimeSet> m_vAnimeSet;
  cVector<cAnime> m_vAnime;
  cVector<cBmpCharaExc> m_vBmpCharaExc;
  cVector<cSwordType> m_vSwordType;
  cVector<cEffect> m_vEffect;
  cVector<cCharaEffect> m_vCharaEffect;
  cVector<cScrEffect> m_vScrEffect;
  cVector<cPicture> m_vPicture;
  cVector<cSound> m_vSound;
  cVector<cBgm> m_vBgm;
  // Copies of the effect lists that the effect-slot binding may rewrite.
  cVector<cCharaEffect> m_vCharaEffectWork;
  cVector<cScrEffect> m_vScrEffectWork;

 private:
  cEffectListsMark m_effectListsMark;
};

// Sword-type files older than this data version hold at most this many types.
inline constexpr std::uint32_t kSwordTypeLimitBelow = 828;
inline constexpr std::size_t kOldSwordTypeLimit = 128;

// Reads an i32 record count and the records into a database list. A count of
// 0 or less (or none at all) keeps the list as it is; otherwise the list is
// made exactly count long, new entries copies of `prototype`, and every entry
// loads its own stream.
template <typename Record>
void ReadDatabaseRecords(DataReader& in, cVector<Record>& list, const Record& prototype) {
  if (in.Remaining() == 0) return;
  const std::int32_t count = in.ReadCount(kMinRecordStreamBytes);
  if (count <= 0 || !in.ok()) return;
  list.resize(static_cast<std::size_t>(count), prototype);
  for (Record& entry : list) {
    entry.Load(in);
    if (!in.ok()) return;
  }
}

// One database file into its list: 1, or 0 when the file cannot be opened, is
// newer than this program or is damaged; the list is then unchanged.
template <typename Record>
int LoadDatabaseList(cVector<Record>& list, std::string_view storedPath, const Record& prototype) {
  auto in = OpenReadFile(storedPath);
  if (!in) return 0;
  cVector<Record> loaded = list;
  ReadDatabaseRecords(*in, loaded, prototype);
  if (!CloseFile(*in)) return 0;
  if (g_bRemoveCR) {
    for (Record& entry : loaded) entry.RemoveCR();
  }
  list = std::move(loaded);
  return 1;
}

// The failure message for a database file (the newer-version text when the
// last open refused a newer file); returns the box's answer.
int ReportLoadError(std::string_view storedPath);

// Loads the ten files in their fixed order; 0 at the first failure, after
// ReportLoadError. All or nothing: after a failure every list is as it was.
int LoadDatabases(cDatabase& database);

// Entry 0 of both effect lists means "no effect", whatever the files say.
void ResetEffectEntryZero(cDatabase& database);

// Fills m_vCharaEffectWork and m_vScrEffectWork from the loaded effect lists.
void BuildEffectWorkCopies(cDatabase& database);

// Sizes both slot sets of an effect kind to `count` and binds slot i of set s
// to definition i: bind(slot, i, s). The slot types and the binding belong to
// the stage runtime.
template <typename SlotList, typename Bind>
void InitEffectSlots(SlotList& set0, SlotList& set1, std::size_t count, Bind bind) {
  set0.clear();
  set1.clear();
  set0.resize(count);
  set1.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    bind(set0.at(i), static_cast<std::int16_t>(i), 0);
    bind(set1.at(i), static_cast<std::int16_t>(i), 1);
  }
}
