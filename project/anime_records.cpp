#include "project/anime_records.h"

#include "foundation/message_box.h"

namespace {

cAnime DefaultAnime() {
  cAnime anime;
  anime.SetDefaults();
  return anime;
}

// Brings the list to exactly `size` animations; new ones are default animations.
void ResizeAnimes(cVector<cAnime>& animes, std::size_t size) { animes.resize(size, DefaultAnime()); }

}  // namespace

void cAnimeFrame::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&nPattern);
  fields.AddField4(&nTime);
  fields.AddField4(&nFlag);
}

cAnime::cAnime() : m_vFrames(1) {}

void cAnime::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  if (version >= 55) {
    fields.AddField2(&m_wValue1);
    fields.AddField1(&m_bValue2);
    fields.AddField2(&m_wValue3);
  }
  fields.AddString(&m_strName);
}

void cAnime::Load(DataReader& in) {
  cRecord::Load(in);
  ReadRecordList(in, m_vFrames, cAnimeFrame());
}

void cAnime::Save(DataWriter& out) {
  cRecord::Save(out);
  WriteRecordList(out, m_vFrames);
}

void cAnime::SetDefaults() {
  Clear();
  m_vFrames.assign(1, cAnimeFrame());
  m_bValue2 = 1;
}

cAnimeSet::cAnimeSet() { SetDefaults(); }

void cAnimeSet::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddField4(&m_nPatternOffset1);
  fields.AddField4(&m_nPatternOffset2);
  if (version >= 119) fields.AddField4(&m_nPatternOffset3);
  fields.AddString(&m_strName);
}

void cAnimeSet::Load(DataReader& in) {
  cRecord::Load(in);
  ReadRecordList(in, m_vAnime, cAnime());
  if (in.Version() < 119) ResizeAnimes(m_vAnime, kStateAnimes);
  if (in.Version() < 128) {
    ResizeAnimes(m_vAnime, kStateAnimes);
    m_vAnime[2].m_strName = Cp932Literal("飛行");
    m_vAnime[3].m_strName = Cp932Literal("飛行移動");
  }
  // The stage runtime reads all four state animations.
  if (m_vAnime.size() < kStateAnimes) ResizeAnimes(m_vAnime, kStateAnimes);
}

void cAnimeSet::Save(DataWriter& out) {
  cRecord::Save(out);
  WriteRecordList(out, m_vAnime);
}

void cAnimeSet::SetDefaults() {
  Clear();
  m_nPatternOffset1 = 4;
  m_nPatternOffset2 = 8;
  static constexpr const char* kStateNames[kStateAnimes] = {"立ち", "立ち移動", "飛行", "飛行移動"};
  m_vAnime.assign(kStateAnimes, DefaultAnime());
  for (std::size_t i = 0; i < kStateAnimes; ++i) m_vAnime[i].m_strName = Cp932Literal(kStateNames[i]);
}
