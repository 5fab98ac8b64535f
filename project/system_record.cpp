#include "project/system_record.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "project/global_data.h"
#include "project/system_defaults.h"

namespace {

struct IntField {
  std::int32_t cSystem::*member;
  std::uint32_t from;  // registered for files of this data version and later
};

// Fields 2 to 29 of the stream, before the transparent colour.
constexpr IntField kHeadFields[] = {
    {&cSystem::m_bScoreStep, 185},          {&cSystem::m_nScoreStep, 0},
    {&cSystem::m_nSetting838, 838},         {&cSystem::m_bPauseDraw, 0},
    {&cSystem::m_nFontOpt, 0},              {&cSystem::m_nFont, 205},
    {&cSystem::m_nFontOpt2, 170},           {&cSystem::m_bReplayRecord, 184},
    {&cSystem::m_nSetting113, 113},         {&cSystem::m_nSetting855, 855},
    {&cSystem::m_nTitleMenuOpt, 157},       {&cSystem::m_nSetting821, 821},
    {&cSystem::m_nSetting0A, 0},            {&cSystem::m_nSetting191A, 191},
    {&cSystem::m_bLifeCarryOver, 191},        {&cSystem::m_nPairCount, 0},
    {&cSystem::m_bUsePairCount, 0},         {&cSystem::m_nScreen167A, 167},
    {&cSystem::m_nScreen167B, 167},         {&cSystem::m_bRetryVarsStory, 188},
    {&cSystem::m_nPause224A, 224},          {&cSystem::m_nScreen167C, 167},
    {&cSystem::m_nScreen167D, 167},         {&cSystem::m_bRetryVarsChallenge, 188},
    {&cSystem::m_nPause224B, 224},          {&cSystem::m_bRetryVarsFree, 188},
    {&cSystem::m_bRetryVarsStageFile, 192}, {&cSystem::m_nColorMode, 187},
};

// Fields 33 to 81: the behaviour switches and the full-screen depths.
constexpr IntField kSwitchFields[] = {
    {&cSystem::m_nCompat214, 214},  {&cSystem::m_nCompat261, 261},  {&cSystem::m_nCompat272, 272},
    {&cSystem::m_nCompat287, 287},  {&cSystem::m_nMenuColorStep, 515}, {&cSystem::m_nCompat289, 289},
    {&cSystem::m_bPause757, 757},   {&cSystem::m_nCompat525, 525},  {&cSystem::m_nCompat555, 555},
    {&cSystem::m_nCompat637, 637},  {&cSystem::m_nCompat669, 669},  {&cSystem::m_nCompat677, 677},
    {&cSystem::m_nCompat695, 695},  {&cSystem::m_nCompat696, 696},  {&cSystem::m_nCompat697, 697},
    {&cSystem::m_nCompat721, 721},  {&cSystem::m_nCompat728, 728},  {&cSystem::m_nCompat733, 733},
    {&cSystem::m_nCompat744, 744},  {&cSystem::m_nCompat749, 749},  {&cSystem::m_nCompat752, 752},
    {&cSystem::m_nCompat763A, 763}, {&cSystem::m_nCompat763B, 763}, {&cSystem::m_nCompat768, 768},
    {&cSystem::m_nCompat773, 773},  {&cSystem::m_nCompat781, 781},  {&cSystem::m_nCompat782, 782},
    {&cSystem::m_nCompat783, 783},  {&cSystem::m_nCompat793, 793},  {&cSystem::m_nCompat805, 805},
    {&cSystem::m_nCompat808, 808},  {&cSystem::m_nCompat818A, 818}, {&cSystem::m_nCompat818B, 818},
    {&cSystem::m_nCompat819, 819},  {&cSystem::m_nCompat822, 822},  {&cSystem::m_nCompat827, 827},
    {&cSystem::m_nCompat831, 831},  {&cSystem::m_nCompat833, 833},  {&cSystem::m_nCompat837, 837},
    {&cSystem::m_nCompat839, 839},  {&cSystem::m_nCompat841, 841},  {&cSystem::m_nCompat845A, 845},
    {&cSystem::m_nCompat845B, 845}, {&cSystem::m_nCompat845C, 845}, {&cSystem::m_nCompat845D, 845},
    {&cSystem::m_nCompat861, 861},  {&cSystem::m_nCompat875, 875},  {&cSystem::m_nD3DDepth, 670},
    {&cSystem::m_nDDDepth, 670},
};

template <std::size_t N>
void RegisterInts(cSystem& system, FieldRegistry& fields, std::uint32_t version, const IntField (&table)[N]) {
  for (const IntField& field : table) {
    if (version >= field.from) fields.AddField4(&(system.*field.member));
  }
}

// Tail lists of numbers: a count of 0 or less keeps the list; otherwise it
// becomes count long (new elements 0) and every element is read.
template <typename T>
void ReadNumberList(DataReader& in, cVector<T>& list) {
  const std::int32_t count = in.ReadCount(sizeof(T));
  if (count <= 0) return;
  cVector<T> loaded(list);
  loaded.resize(static_cast<std::size_t>(count), T{});
  if (in.ReadArray(loaded.data(), loaded.size())) list = std::move(loaded);
}

template <typename T>
void WriteNumberList(DataWriter& out, const cVector<T>& list) {
  out.WriteCount(list.size());
  out.WriteArray(list.data(), list.size());
}

// Tail lists of texts: emptied and refilled; texts keep their carriage returns.
void ReadTextList(DataReader& in, cVector<std::string>& list) {
  const std::int32_t count = in.ReadCount(4);
  if (count < 0) in.Fail("negative list count");
  if (!in.ok()) return;
  cVector<std::string> loaded(static_cast<std::size_t>(count));
  for (std::string& text : loaded) {
    if (!in.ReadString(text)) return;
  }
  list = std::move(loaded);
}

void WriteTextList(DataWriter& out, const cVector<std::string>& list) {
  out.WriteCount(list.size());
  for (const std::string& text : list) out.WriteString(text);
}

std::string DataText(std::string_view utf8) { return platform::Cp932FromUtf8(utf8); }

template <std::size_t N>
cVector<std::string> DataTexts(const std::array<std::string_view, N>& utf8Texts) {
  cVector<std::string> texts;
  for (std::string_view text : utf8Texts) texts.push_back(DataText(text));
  return texts;
}

template <std::size_t N>
cVector<cCmdItem> MenuItems(const std::array<std::string_view, N>& utf8Names) {
  cVector<cCmdItem> items(N);
  for (std::size_t i = 0; i < N; ++i) items[static_cast<long long>(i)].m_strName = DataText(utf8Names[i]);
  return items;
}

}  // namespace

cSystem::cSystem() { SetDefaults(); }

void cSystem::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddString(&m_strTitle);
  RegisterInts(*this, fields, version, kHeadFields);
  if (version >= 187) {
    fields.AddField1(&m_byTransRed);
    fields.AddField1(&m_byTransGreen);
    fields.AddField1(&m_byTransBlue);
  }
  if (version >= 221 && version <= 259) fields.AddField4(&m_nScratch);
  RegisterInts(*this, fields, version, kSwitchFields);
}

void cSystem::SetDefaults() {
  namespace d = system_defaults;
  Clear();
  m_nScoreStep = 100;
  m_bPauseDraw = 1;
  m_nFontOpt = 0;
  m_nFont = 60;
  m_bReplayRecord = 1;
  m_nTitleMenuOpt = 1;
  m_nSetting821 = 1;
  m_nSetting0A = 1;
  m_nSetting191A = 1;
  m_bLifeCarryOver = 1;
  m_nPairCount = 40;
  m_bUsePairCount = 1;
  m_nScreen167A = m_nScreen167B = m_nScreen167C = m_nScreen167D = 1;
  m_bRetryVarsStory = m_bRetryVarsChallenge = m_bRetryVarsFree = 1;
  m_nPause224A = m_nPause224B = m_bPause757 = 1;
  m_nMenuColorStep = 16;
  m_nD3DDepth = 0;
  m_nDDDepth = 2;

  m_vCarryOverEnable.assign(d::kCarryOverItems, 0);
  for (int item : d::kCarryOverEnabled) m_vCarryOverEnable[item] = 1;
  m_vCarryOverReset.assign(d::kCarryOverItems, 0);
  for (int item : d::kCarryOverResetItems) m_vCarryOverReset[item] = 1;

  m_vGauges.assign(d::kGauges, cGaugeEntry());
  for (std::size_t i = 0; i < d::kGauges; ++i) {
    cGaugeEntry& gauge = m_vGauges[static_cast<long long>(i)];
    gauge.m_bShow = 1;
    gauge.m_bIcon = 1;
    gauge.m_strText = DataText(d::kGaugeItems[i].text);
    gauge.m_nDigits = d::kGaugeItems[i].digits;
  }

  m_vTitleMenu = MenuItems(d::kTitleMenu);
  m_vMapMenu = MenuItems(d::kMapMenu);
  m_vOptionMenu = MenuItems(d::kOptionMenu);
  m_vRankingEntryModes = DataTexts(d::kRankingEntryModes);
  m_vLifeStart.assign(d::kLifeStart.begin(), d::kLifeStart.end());
  m_vLifeUnlimited.assign(d::kLifeUnlimited.begin(), d::kLifeUnlimited.end());

  m_vRankingSettings.assign(d::kPlayModes, cRankingSetting());
  for (std::size_t mode = 0; mode + 1 < d::kPlayModes; ++mode) {
    cRankingSetting& setting = m_vRankingSettings[static_cast<long long>(mode)];
    setting.m_bOn = 1;
    setting.m_vGenre.assign(d::kRankingGenres, 1);
  }

  m_vSoundFiles.assign(d::kSoundFiles, std::string());
  m_vScreenBgm.assign(d::kScreens, 0);
  m_vScreenBgmOn.assign(d::kScreens, 1);
  m_vTerms = DataTexts(d::kTerms);

  m_vOptions.assign(d::kOptions, cOptionEntry());
  for (std::size_t i = 0; i < d::kOptions; ++i) {
    cOptionEntry& option = m_vOptions[static_cast<long long>(i)];
    if (i == d::kFreeStageOption) option.SetText(d::kOptionEntries[i].key, "");
    else option.SetNumber(d::kOptionEntries[i].key, d::kOptionEntries[i].value);
  }
}

void cSystem::Load(DataReader& in) {
  cRecord::Load(in);
  LoadTail(in);
  if (!in.ok()) return;
  if (in.Version() < kProgramDataVersion) ApplyFixUpLadder(in.Version());
  MendLoadedValues();
  FixBgmRange();
}

void cSystem::Save(DataWriter& out) {
  FixBgmRange();
  cRecord::Save(out);
  SaveTail(out);
}

void cSystem::LoadTail(DataReader& in) {
  const std::uint32_t version = in.Version();
  ReadNumberList(in, m_vCarryOverEnable);
  if (version >= 501) ReadNumberList(in, m_vCarryOverReset);
  ReadRecordList(in, m_vGauges, cGaugeEntry());
  ReadNumberList(in, m_vLifeStart);
  if (version >= 191) ReadNumberList(in, m_vLifeUnlimited);
  if (version >= 186) ReadRecordList(in, m_vRankingSettings, cRankingSetting());
  ReadTextList(in, m_vTerms);
  ReadTextList(in, m_vSoundFiles);
  ReadNumberList(in, m_vScreenBgm);
  if (version >= 202) ReadNumberList(in, m_vScreenBgmOn);
  ReadRecordList(in, m_vTitleMenu, cCmdItem());
  ReadRecordList(in, m_vMapMenu, cCmdItem());
  ReadRecordList(in, m_vOptionMenu, cCmdItem());
  if (version >= 674) ReadTextList(in, m_vRankingEntryModes);
  ReadRecordList(in, m_vOptions, cOptionEntry());
}

// The lists that files of g_DataVersion hold, as LoadTail reads them.
void cSystem::SaveTail(DataWriter& out) {
  const std::uint32_t version = g_DataVersion;
  WriteNumberList(out, m_vCarryOverEnable);
  if (version >= 501) WriteNumberList(out, m_vCarryOverReset);
  WriteRecordList(out, m_vGauges);
  WriteNumberList(out, m_vLifeStart);
  if (version >= 191) WriteNumberList(out, m_vLifeUnlimited);
  if (version >= 186) WriteRecordList(out, m_vRankingSettings);
  WriteTextList(out, m_vTerms);
  WriteTextList(out, m_vSoundFiles);
  WriteNumberList(out, m_vScreenBgm);
  if (version >= 202) WriteNumberList(out, m_vScreenBgmOn);
  WriteRecordList(out, m_vTitleMenu);
  WriteRecordList(out, m_vMapMenu);
  WriteRecordList(out, m_vOptionMenu);
  if (version >= 674) WriteTextList(out, m_vRankingEntryModes);
  WriteRecordList(out, m_vOptions);
}

const std::string& cSystem::Term(int n) const {
  static const std::string kNone;
  return n >= 0 && n < static_cast<int>(m_vTerms.size()) ? m_vTerms[n] : kNone;
}

void cSystem::FixBgmRange() {
  // Without a database there is no music list to check against; negative
  // numbers are never music.
  const bool haveDatabase = g_Database.IsStarted();
  const std::size_t musicCount = haveDatabase ? g_Database->m_vBgm.size() : 0;
  for (std::int32_t& bgm : m_vScreenBgm) {
    if (bgm < 0 || (haveDatabase && static_cast<std::size_t>(bgm) >= musicCount)) bgm = 0;
  }
}

int GetRankingGenreCount(const cSystem& system, int playMode) {
  const cRankingSetting& setting = system.m_vRankingSettings[playMode];
  if (!setting.m_bOn) return 0;
  return static_cast<int>(std::count_if(setting.m_vGenre.begin(), setting.m_vGenre.end(),
                                        [](std::uint8_t flag) { return flag != 0; }));
}

int IsBelowThreshold(const cSystem& system, int item, int value, int maximum) {
  const cGaugeEntry& gauge = system.m_vGauges[item];
  if (gauge.m_bThresholdPercent) {
    // An empty gauge (or a damaged maximum) has no percentage; it is not
    // shown as low.
    if (maximum <= 0) return 0;
    return gauge.m_nThreshold >= value * 100.0 / maximum ? 1 : 0;
  }
  return value <= gauge.m_nThreshold ? 1 : 0;
}
