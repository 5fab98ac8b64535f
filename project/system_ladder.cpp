// The fix-ups that bring a system record of an older data version up to date,
// and the mends of lists and values that a file left unusable.

#include <algorithm>

#include "foundation/message_box.h"
#include "project/name_tables.h"
#include "project/system_defaults.h"
#include "project/system_record.h"

namespace {

// Inserting keeps the length: the elements from `index` on move up one
// place, the last one is dropped.
template <typename T>
void InsertKeepingLength(cVector<T>& list, std::size_t index, const T& value) {
  if (index >= list.size()) return;
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), value);
  list.pop_back();
}

template <typename T>
void MakeLength(cVector<T>& list, std::size_t length) {
  list.resize(length);
}

void InsertText(cVector<std::string>& terms, std::size_t index, const char* utf8) {
  InsertKeepingLength(terms, index, std::string(Cp932Literal(utf8)));
}

cOptionEntry NumberOption(std::size_t index) {
  cOptionEntry option;
  const system_defaults::OptionDefault& entry = system_defaults::kOptionEntries[index];
  option.SetNumber(entry.key, entry.value);
  return option;
}

cOptionEntry NumberOption(std::string_view key, std::int32_t value) {
  cOptionEntry option;
  option.SetNumber(key, value);
  return option;
}

// Appends the entries of `defaults` past the list's end, so that a list a file
// made shorter than its fixed length gets its default entries back.
template <typename T>
void PadFrom(cVector<T>& list, const cVector<T>& defaults) {
  for (std::size_t i = list.size(); i < defaults.size(); ++i) list.push_back(defaults[static_cast<long long>(i)]);
}

struct FixUp {
  std::uint32_t below;
  void (*apply)(cSystem& system, std::uint32_t version);
};

// Switches that files older than their version get set to 1.
#define SET_ONE(version, member) \
  {version, [](cSystem& s, std::uint32_t) { s.member = 1; }}

constexpr FixUp kLadder[] = {
    {113, [](cSystem& s, std::uint32_t) { s.m_nSetting113 = 0; }},
    {157, [](cSystem& s, std::uint32_t) { s.m_nTitleMenuOpt = 0; }},
    {167, [](cSystem& s, std::uint32_t) { s.m_nScreen167A = s.m_nScreen167B = s.m_nScreen167C = s.m_nScreen167D = 1; }},
    {168,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vCarryOverEnable, system_defaults::kCarryOverItems);
       InsertKeepingLength(s.m_vCarryOverEnable, 16, std::uint8_t{1});
     }},
    {169,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vMapMenu, 4);
       cCmdItem autoSave;
       autoSave.m_strName = Cp932Literal("オートセーブ");
       InsertKeepingLength(s.m_vMapMenu, 1, autoSave);
       MakeLength(s.m_vTerms, system_defaults::kTerms.size());
       InsertText(s.m_vTerms, 12, "保存先が不明です！一度は「セーブ」して下さい！");
       InsertText(s.m_vTerms, 12, "オートセーブＯＦＦ");
       InsertText(s.m_vTerms, 12, "オートセーブＯＮ");
     }},
    {170, [](cSystem& s, std::uint32_t) { s.m_nFontOpt2 = 0; }},
    {181,
     [](cSystem& s, std::uint32_t) {
       for (cRankingSetting& setting : s.m_vRankingSettings) {
         setting.m_vGenre.resize(system_defaults::kRankingGenres, 0);
         setting.m_vGenre[3] = 0;
         setting.m_vGenre[4] = 0;
       }
       MakeLength(s.m_vTerms, system_defaults::kTerms.size());
       InsertText(s.m_vTerms, 8, "残りHP");
       InsertText(s.m_vTerms, 9, "残りSP");
     }},
    SET_ONE(184, m_bReplayRecord),
    SET_ONE(185, m_bScoreStep),
    {187,
     [](cSystem& s, std::uint32_t) {
       s.m_nColorMode = 0;
       s.m_byTransRed = 0;
       s.m_byTransGreen = 177;
       s.m_byTransBlue = 0;
     }},
    {188, [](cSystem& s, std::uint32_t) { s.m_bRetryVarsStory = s.m_bRetryVarsChallenge = s.m_bRetryVarsFree = 1; }},
    {191,
     [](cSystem& s, std::uint32_t) {
       s.m_vLifeUnlimited.assign({0, 0, 0, 1});
       s.m_nSetting191A = s.m_bLifeCarryOver = 0;
     }},
    SET_ONE(192, m_bRetryVarsStageFile),
    {193,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vTerms, system_defaults::kTerms.size());
       InsertText(s.m_vTerms, 22, "リトライ");
       InsertText(s.m_vTerms, 23, "マップへ戻る");
     }},
    {201,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vCarryOverEnable, system_defaults::kCarryOverItems);
       InsertKeepingLength(s.m_vCarryOverEnable, 14, std::uint8_t{0});
     }},
    {202, [](cSystem& s, std::uint32_t) { s.m_vScreenBgmOn.assign(system_defaults::kScreens, 1); }},
    {205, [](cSystem& s, std::uint32_t) { s.m_nFont = kDefaultFontIndex; }},
    {210,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vCarryOverEnable, system_defaults::kCarryOverItems);
       InsertKeepingLength(s.m_vCarryOverEnable, 9, std::uint8_t{0});
     }},
    SET_ONE(214, m_nCompat214),
    {224, [](cSystem& s, std::uint32_t) { s.m_nPause224A = s.m_nPause224B = 0; }},
    SET_ONE(261, m_nCompat261),
    {272, [](cSystem& s, std::uint32_t) { s.m_nCompat272 = 0; }},
    {286,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vOptions, system_defaults::kOptions);
       InsertKeepingLength(s.m_vOptions, 0, NumberOption("Direct3D", 1));
       if (s.m_vOptions[3].m_nValue > 2) s.m_vOptions[3].m_nValue = 2;
     }},
    {287, [](cSystem& s, std::uint32_t) { s.m_nCompat287 = 0; }},
    {289, [](cSystem& s, std::uint32_t) { s.m_nCompat289 = s.m_nColorMode == 0 ? 1 : 0; }},
    {501, [](cSystem& s, std::uint32_t) { s.m_vCarryOverReset.assign(system_defaults::kCarryOverItems, 0); }},
    {515, [](cSystem& s, std::uint32_t) { s.m_nMenuColorStep = 16; }},
    SET_ONE(525, m_nCompat525),
    SET_ONE(555, m_nCompat555),
    {567,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vOptions, system_defaults::kOptions);
       InsertKeepingLength(s.m_vOptions, 4, NumberOption("DD_VideoStretch", 0));
     }},
    {568,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vOptions, system_defaults::kOptions);
       InsertKeepingLength(s.m_vOptions, 4, NumberOption("D3D_FontCache", 0));
       InsertKeepingLength(s.m_vOptions, 5, NumberOption("DD_FontCache", 1));
     }},
    {587,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vGauges, system_defaults::kGauges);
       for (long long item : {2, 3}) {
         s.m_vGauges[item].m_nThreshold = 33;
         s.m_vGauges[item].m_bThresholdPercent = 1;
       }
     }},
    {637, [](cSystem& s, std::uint32_t version) { s.m_nCompat637 = version < 617 ? 1 : 0; }},
    SET_ONE(669, m_nCompat669),
    {670,
     [](cSystem& s, std::uint32_t) {
       s.m_nD3DDepth = 0;
       s.m_nDDDepth = 2;
     }},
    {672,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vOptions, system_defaults::kOptions);
       s.m_vOptions[9] = NumberOption(9);
     }},
    SET_ONE(677, m_nCompat677),
    SET_ONE(695, m_nCompat695),
    SET_ONE(696, m_nCompat696),
    SET_ONE(697, m_nCompat697),
    SET_ONE(721, m_nCompat721),
    SET_ONE(728, m_nCompat728),
    SET_ONE(733, m_nCompat733),
    SET_ONE(744, m_nCompat744),
    SET_ONE(749, m_nCompat749),
    SET_ONE(752, m_nCompat752),
    {756,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vTerms, system_defaults::kTerms.size());
       InsertText(s.m_vTerms, 22, "マップへ戻る");
     }},
    {757, [](cSystem& s, std::uint32_t) { s.m_bPause757 = 0; }},
    {763, [](cSystem& s, std::uint32_t) { s.m_nCompat763A = s.m_nCompat763B = 1; }},
    SET_ONE(768, m_nCompat768),
    SET_ONE(773, m_nCompat773),
    SET_ONE(781, m_nCompat781),
    SET_ONE(782, m_nCompat782),
    SET_ONE(783, m_nCompat783),
    SET_ONE(793, m_nCompat793),
    SET_ONE(805, m_nCompat805),
    SET_ONE(808, m_nCompat808),
    {818, [](cSystem& s, std::uint32_t) { s.m_nCompat818A = s.m_nCompat818B = 1; }},
    SET_ONE(819, m_nCompat819),
    {821, [](cSystem& s, std::uint32_t) { s.m_nSetting821 = 0; }},
    SET_ONE(822, m_nCompat822),
    SET_ONE(827, m_nCompat827),
    SET_ONE(831, m_nCompat831),
    {833, [](cSystem& s, std::uint32_t version) { s.m_nCompat833 = version >= 817 ? 1 : 0; }},
    SET_ONE(837, m_nCompat837),
    SET_ONE(838, m_nSetting838),
    SET_ONE(839, m_nCompat839),
    SET_ONE(841, m_nCompat841),
    {842,
     [](cSystem& s, std::uint32_t) {
       MakeLength(s.m_vOptions, system_defaults::kOptions);
       s.m_vOptions[10] = NumberOption(10);
     }},
    {845,
     [](cSystem& s, std::uint32_t version) {
       s.m_nCompat845A = s.m_nCompat845B = s.m_nCompat845C = 1;
       s.m_nCompat845D = version < 656 ? 0 : 1;
     }},
    SET_ONE(855, m_nSetting855),
    SET_ONE(861, m_nCompat861),
    SET_ONE(875, m_nCompat875),
};

#undef SET_ONE

}  // namespace

void cSystem::ApplyFixUpLadder(std::uint32_t version) {
  for (const FixUp& step : kLadder) {
    if (version < step.below) step.apply(*this, version);
  }
}

void cSystem::MendLoadedValues() {
  const cSystem defaults;
  PadFrom(m_vCarryOverEnable, defaults.m_vCarryOverEnable);
  PadFrom(m_vCarryOverReset, defaults.m_vCarryOverReset);
  PadFrom(m_vGauges, defaults.m_vGauges);
  PadFrom(m_vLifeStart, defaults.m_vLifeStart);
  PadFrom(m_vLifeUnlimited, defaults.m_vLifeUnlimited);
  PadFrom(m_vRankingSettings, defaults.m_vRankingSettings);
  for (cRankingSetting& setting : m_vRankingSettings) {
    if (setting.m_vGenre.size() < system_defaults::kRankingGenres)
      setting.m_vGenre.resize(system_defaults::kRankingGenres, 0);
  }
  PadFrom(m_vTerms, defaults.m_vTerms);
  PadFrom(m_vSoundFiles, defaults.m_vSoundFiles);
  PadFrom(m_vScreenBgm, defaults.m_vScreenBgm);
  PadFrom(m_vScreenBgmOn, defaults.m_vScreenBgmOn);
  PadFrom(m_vTitleMenu, defaults.m_vTitleMenu);
  PadFrom(m_vMapMenu, defaults.m_vMapMenu);
  PadFrom(m_vOptionMenu, defaults.m_vOptionMenu);
  PadFrom(m_vRankingEntryModes, defaults.m_vRankingEntryModes);
  PadFrom(m_vOptions, defaults.m_vOptions);
  // The font index selects a face name from a fixed list.
  if (m_nFont < 0 || m_nFont >= kFontNameCount) m_nFont = kDefaultFontIndex;
}
