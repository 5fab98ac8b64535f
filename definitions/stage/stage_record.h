#pragma once
// The stage record: one stage file in memory. g_Stage holds the stage as
// loaded, g_PlayStage the working copy while it is played; the runtime reads
// its settings every frame, above all the speed values that SetSpeedLevel
// derives, so they stay plain members under the names the stage file uses.
//
// cEdStageSettings holds everything but the six definition lists (the stage
// palette and the placed blocks, characters and items); a copy of only the
// settings is a plain slice of the record.

#include <array>
#include <cstdint>
#include <string>

#include "definitions/palette/palette.h"
#include "definitions/stage/stage_parts.h"
#include "foundation/checked_vector.h"
#include "foundation/record.h"

class cEdStageSettings : public cRecord {
 public:
  static constexpr std::size_t kRemovalAreas = 5;
  static constexpr std::size_t kRankingResults = 5;

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // Stores the speed level and derives the effective level L (n - 10 for
  // 11..19, else n) and the values that depend on it.
  void SetSpeedLevel(std::int32_t level);
  // The hero, character, item and shot sizes of a new stage.
  void SetSizeDefaults();

  std::string StageText;

  std::int32_t Width = 0;  // in blocks
  std::int32_t Reserved1 = 0;
  std::int32_t Reserved2 = 0;
  std::int32_t Height = 0;
  std::int32_t LimitLeft = 0;
  std::int32_t LimitRight = 0;
  std::int32_t LimitTop = 0;
  std::int32_t LimitBottom = 0;
  std::int32_t LeftColumn = 0;
  std::int32_t RightColumn = 0;
  std::int32_t TopRow = 0;
  std::int32_t BottomRow = 0;
  std::int32_t FrameRate = 60;
  std::int32_t TimeLimitOn = 0;
  std::int32_t TimeLimit = 200;
  std::int32_t TimeWarning = 20;
  std::int32_t AutoScrollX = 0;
  std::int32_t AutoScrollY = 0;
  std::int32_t AutoScrollSpeedX = 0;  // tenths of a dot per frame
  std::int32_t AutoScrollSpeedY = 0;
  double Gravity = 0.4;
  std::int32_t SpeedLevel = 10;
  std::int32_t StepMaskCount = 0;
  std::int32_t BgmNumber = 0;
  std::int32_t BgmParam = 0;  // 166
  std::int32_t BgmKeep = 0;   // 199
  std::int32_t ZOrder = 1;
  std::int32_t CarryOver = 0;
  std::int32_t CarryOut = 0;
  std::int32_t StatusPanel = 1;  // 183
  std::int32_t AutoEnd = 0;      // 184
  std::int32_t IntroSwitch1 = 0;
  std::int32_t IntroSwitch2 = 1;  // 225
  std::int32_t EndSwitch = 1;
  std::int32_t EndWaitSwitch = 1;

  cVector<std::uint32_t> RankingSwitches;  // score, time left, clear time, HP left, SP left
  std::array<cEdStageCond, kRemovalAreas> RemovalAreas{};
  cVector<cEdBackground> m_vBackground;
  cVector<cEdStageText> m_vText;

  std::int32_t HeroSize1[4] = {};       // hit box walking w, h, floating w, h (200)
  std::int32_t HeroBoxA[2] = {};        // body box walking
  std::int32_t HeroBoxB[2] = {};        // body box floating (155)
  std::int32_t HeroBoxC[4] = {};        // shot box w, h, item box w, h
  std::int32_t HeroSizeSwitch[2] = {};  // hit boxes stand on the cell bottom (200)
  std::int32_t HeroBoxSwitch[2] = {};   // body boxes A, B likewise (155)
  std::int32_t HeroGraphic1[4] = {};    // how the four boxes are shown (first: 200)
  std::int32_t HeroGraphic2[4] = {};    // their colours (first: 200)
  std::int32_t CharaSize[4] = {};       // 200
  std::int32_t CharaBoxA[2] = {};
  std::int32_t CharaBoxB[2] = {};  // 155
  std::int32_t CharaBoxC[2] = {};
  std::int32_t CharaSizeSwitch[2] = {};  // 200
  std::int32_t CharaBoxSwitch[2] = {};   // 155
  std::int32_t ItemSize[2] = {};
  std::int32_t ShotSize[8] = {};
  std::int32_t SwitchE = 1;

  // Not stored.
  std::string FilePath;       // the file loaded last, relative to the game folder
  std::int32_t Numbered = 0;  // the last load searched a numbered file
  std::int32_t Loaded = 0;    // set by the loader thread on success

  std::int32_t ExtraWidth = 0;
  std::int32_t ExtraHeight = 0;

  std::int32_t Level6 = 60;  // not stored: 6 x effective level

  // Derived by SetSpeedLevel (stored, but recomputed after every read).
  std::int32_t Level = 10;
  double LevelF = 10.0;
  double LevelSq = 100.0;
  double SpeedLimit = 60.0;
  double GravityStep = 0.004;
  double SpeedLimitStep = 6.0;
  std::int32_t Level8 = 80;

  std::int32_t OnScreenOnly = 1;
  std::int32_t InvincibleTime[4] = {};  // player: per attacker, after damage; computer: the same
};

class cEdStage : public cEdStageSettings {
 public:
  cEdStage() { SetDefaults(); }

  // Sections 2 to 13 of the stage file; the record-stream head is the
  // file's. References of kind 2 made while reading lead into this stage.
  void Load(DataReader& in) override;
  // Normalize, then sections 2 to 13 with the end value.
  void Save(DataWriter& out) override;
  // The same sections with the settings, ranking switches, removal areas,
  // background layers and text list of `settings` and this stage's lists.
  void SaveForReplay(DataWriter& out, cEdStageSettings& settings);

  void SetDefaults();
  // Scroll ends inside the stage, the speed values, the music number, the
  // stage-palette lists filled up to two, and every reference check.
  void Normalize();

  // Index of the first placed character with a graphic that the player
  // operates; -1 when there is none.
  int FindHeroStart() const;
  int HasHero() const { return FindHeroStart() != -1 ? 1 : 0; }

  // Every element destroyed, then `count` default records.
  void ResetBlockList(std::size_t count);
  void ResetCharaList(std::size_t count);
  void ResetItemList(std::size_t count);
  void ResetBackgroundList(std::size_t count);
  // The stage palette and the placed blocks, characters and items emptied:
  // what a copy of only the settings holds.
  void ClearDefinitionLists();

  PaletteLists PaletteListsOfStage() { return {&m_vPaletteBlock, &m_vPaletteChara, &m_vPaletteItem}; }

  cVector<cEdBlock> m_vBlock;  // placed
  cVector<cEdChara> m_vChara;
  cVector<cEdItem> m_vItem;
  cVector<cEdBlock> m_vPaletteBlock;  // the stage palette
  cVector<cEdChara> m_vPaletteChara;
  cVector<cEdItem> m_vPaletteItem;
};

extern cEdStage g_Stage;
extern cEdStage g_PlayStage;
