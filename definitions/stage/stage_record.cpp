#include "definitions/stage/stage_record.h"

#include <algorithm>
#include <array>

#include "foundation/wrapping_math.h"
#include "project/global_data.h"

cEdStage g_Stage;
cEdStage g_PlayStage;

namespace {

constexpr std::uint32_t kBgmParamSince = 166;
constexpr std::uint32_t kBgmKeepSince = 199;
constexpr std::uint32_t kStatusPanelSince = 183;
constexpr std::uint32_t kAutoEndSince = 184;
constexpr std::uint32_t kIntroSwitch2Since = 225;
constexpr std::uint32_t kHeroSizesSince = 200;
constexpr std::uint32_t kFloatingBoxesSince = 155;

void AddInts(FieldRegistry& fields, std::int32_t* first, int count) {
  for (int i = 0; i < count; ++i) fields.AddField4(first + i);
}

template <std::size_t N>
void SetInts(std::int32_t (&target)[N], const std::array<std::int32_t, N>& values) {
  std::copy(values.begin(), values.end(), target);
}

}  // namespace

void cEdStageSettings::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  for (std::int32_t* value : {&Width,       &Reserved1,   &Reserved2,   &Height,           &LimitLeft,
                              &LimitRight,  &LimitTop,    &LimitBottom, &LeftColumn,       &RightColumn,
                              &TopRow,      &BottomRow,   &FrameRate,   &TimeLimitOn,      &TimeLimit,
                              &TimeWarning, &AutoScrollX, &AutoScrollY, &AutoScrollSpeedX, &AutoScrollSpeedY})
    fields.AddField4(value);
  fields.AddField8(&Gravity);
  fields.AddField4(&SpeedLevel);
  fields.AddField4(&StepMaskCount);
  fields.AddField4(&BgmNumber);
  if (version >= kBgmParamSince) fields.AddField4(&BgmParam);
  if (version >= kBgmKeepSince) fields.AddField4(&BgmKeep);
  fields.AddField4(&ZOrder);
  fields.AddField4(&CarryOver);
  fields.AddField4(&CarryOut);
  if (version >= kStatusPanelSince) fields.AddField4(&StatusPanel);
  if (version >= kAutoEndSince) fields.AddField4(&AutoEnd);
  fields.AddField4(&IntroSwitch1);
  if (version >= kIntroSwitch2Since) fields.AddField4(&IntroSwitch2);
  fields.AddField4(&EndSwitch);
  fields.AddField4(&EndWaitSwitch);

  const bool heroSizes = version >= kHeroSizesSince;
  const bool floatingBoxes = version >= kFloatingBoxesSince;
  if (heroSizes) AddInts(fields, HeroSize1, 4);
  AddInts(fields, HeroBoxA, 2);
  if (floatingBoxes) AddInts(fields, HeroBoxB, 2);
  AddInts(fields, HeroBoxC, 4);
  if (heroSizes) AddInts(fields, HeroSizeSwitch, 2);
  if (floatingBoxes) AddInts(fields, HeroBoxSwitch, 2);
  AddInts(fields, heroSizes ? HeroGraphic1 : HeroGraphic1 + 1, heroSizes ? 4 : 3);
  AddInts(fields, heroSizes ? HeroGraphic2 : HeroGraphic2 + 1, heroSizes ? 4 : 3);
  if (heroSizes) AddInts(fields, CharaSize, 4);
  AddInts(fields, CharaBoxA, 2);
  if (floatingBoxes) AddInts(fields, CharaBoxB, 2);
  AddInts(fields, CharaBoxC, 2);
  if (heroSizes) AddInts(fields, CharaSizeSwitch, 2);
  if (floatingBoxes) AddInts(fields, CharaBoxSwitch, 2);
  AddInts(fields, ItemSize, 2);
  AddInts(fields, ShotSize, 8);
  fields.AddField4(&SwitchE);
  fields.AddField4(&ExtraWidth);
  fields.AddField4(&ExtraHeight);
  fields.AddField4(&Level);
  fields.AddField8(&LevelF);
  fields.AddField8(&LevelSq);
  fields.AddField8(&SpeedLimit);
  fields.AddField8(&GravityStep);
  fields.AddField8(&SpeedLimitStep);
  fields.AddField4(&Level8);
  fields.AddField4(&OnScreenOnly);
  AddInts(fields, InvincibleTime, 4);
  fields.AddString(&StageText);
}

void cEdStageSettings::SetSpeedLevel(std::int32_t level) {
  SpeedLevel = level;
  const bool fastTable = level >= 11 && level <= 19;
  const std::int32_t effective = fastTable ? level - 10 : level;
  Level = effective;
  LevelF = effective;
  Level6 = WrapMultiply(6, effective);
  LevelSq = LevelF * LevelF;
  SpeedLimit = fastTable ? 60.0 : 6.0 * LevelF;
  // A level of 0 runs no sub-steps; its quotients stay what IEEE gives.
  SpeedLimitStep = SpeedLimit / LevelF;
  Level8 = WrapMultiply(8, effective);
  GravityStep = Gravity / LevelSq;
}

void cEdStageSettings::SetSizeDefaults() {
  SetInts<4>(HeroSize1, {16, 24, 16, 16});
  SetInts<2>(HeroBoxA, {16, 24});
  SetInts<2>(HeroBoxB, {16, 16});
  SetInts<4>(HeroBoxC, {12, 8, 16, 16});
  SetInts<2>(HeroSizeSwitch, {1, 0});
  SetInts<2>(HeroBoxSwitch, {1, 0});
  std::fill_n(HeroGraphic1, 4, 0);
  std::fill_n(HeroGraphic2, 4, 0);
  SetInts<4>(CharaSize, {16, 24, 16, 16});
  SetInts<2>(CharaBoxA, {12, 24});
  SetInts<2>(CharaBoxB, {12, 16});
  SetInts<2>(CharaBoxC, {30, 30});
  SetInts<2>(CharaSizeSwitch, {1, 0});
  SetInts<2>(CharaBoxSwitch, {1, 0});
  std::fill_n(ItemSize, 2, 28);
  std::fill_n(ShotSize, 8, 16);
}

void cEdStage::SetDefaults() {
  Clear();
  m_vBlock.clear();
  m_vChara.clear();
  m_vItem.clear();
  ResetBlockList(1);
  ResetCharaList(1);
  ResetItemList(1);
  TimeLimit = 200;
  TimeLimitOn = 0;
  TimeWarning = 20;
  Gravity = 0.4;
  FrameRate = 60;
  SpeedLevel = 10;
  StepMaskCount = 0;
  ZOrder = 1;
  OnScreenOnly = 1;
  StatusPanel = 1;
  AutoEnd = 0;
  IntroSwitch1 = 0;
  IntroSwitch2 = 1;
  EndSwitch = 1;
  EndWaitSwitch = 1;
  SetInts<4>(InvincibleTime, {30, 0, 30, 0});
  ResetBackgroundList(1);
  m_vBackground[0].Fill = 1;
  RankingSwitches.assign(kRankingResults, 1);
  for (std::size_t i = 0; i < 3; ++i) RemovalAreas[i].Set(0, 0, 0, 0, 0, 0, 0, 0);
  RemovalAreas[3].Set(1, 1, 1, 1, 0, 0, 0, 0);
  RemovalAreas[4].Set(1, 1, 1, 1, 10, 10, 10, 10);
  SetSizeDefaults();
  SwitchE = 1;
  SetSpeedLevel(SpeedLevel);
}

void cEdStage::Normalize() {
  if (LeftColumn > Width - 20) LeftColumn = Width - 20;
  if (RightColumn > Width - 1) RightColumn = Width - 1;
  if (TopRow > Height - 15) TopRow = Height - 15;
  if (BottomRow > Height - 1) BottomRow = Height - 1;
  SetSpeedLevel(SpeedLevel);
  if (BgmNumber < 0 || static_cast<std::size_t>(BgmNumber) >= g_Database->m_vBgm.size()) BgmNumber = 0;
  FillToTwoEntries(m_vPaletteBlock);
  FillToTwoEntries(m_vPaletteChara);
  FillToTwoEntries(m_vPaletteItem);
  const PaletteScope checkingThis(kPaletteStage, PaletteListsOfStage());
  CheckListRefs(m_vPaletteBlock);
  CheckListRefs(m_vPaletteChara);
  CheckListRefs(m_vPaletteItem);
  CheckListRefs(m_vBlock);
  CheckListRefs(m_vChara);
  CheckListRefs(m_vItem);
}

int cEdStage::FindHeroStart() const {
  for (std::size_t i = 0; i < m_vChara.size(); ++i) {
    const cEdChara& chara = m_vChara[static_cast<long long>(i)];
    if (chara.m_nGraphicNo != 0 && chara.m_nOperator == kOperatorPlayer) return static_cast<int>(i);
  }
  return -1;
}

void cEdStage::ResetBlockList(std::size_t count) { m_vPaletteBlock.assign(count, cEdBlock()); }
void cEdStage::ResetCharaList(std::size_t count) { m_vPaletteChara.assign(count, cEdChara()); }
void cEdStage::ResetItemList(std::size_t count) { m_vPaletteItem.assign(count, cEdItem()); }
void cEdStage::ResetBackgroundList(std::size_t count) { m_vBackground.assign(count, cEdBackground()); }

void cEdStage::ClearDefinitionLists() {
  m_vPaletteBlock.clear();
  m_vPaletteChara.clear();
  m_vPaletteItem.clear();
  m_vBlock.clear();
  m_vChara.clear();
  m_vItem.clear();
}
