#pragma once
// A character definition: its parent palette entry and inherited property
// groups, name, graphics and animation set, placement offsets, its numeric
// settings, a condition list and its flows. Palettes and stage files hold
// lists of them; a runtime character embeds a copy that commands may change.

#include <cstdint>
#include <string>

#include "definitions/flow_record.h"
#include "definitions/palette/definition_base.h"
#include "foundation/checked_vector.h"
#include "foundation/record.h"

// Who operates a character.
enum CharaOperator : std::uint8_t {
  kOperatorPlayer = 0,    // "プレイヤー"
  kOperatorComputer = 1,  // "コンピューター"
};

class cEdChara : public cEdDefinition {
 public:
  static constexpr std::size_t kGroupCount = 37;

  cEdChara() { SetDefaults(); }
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The stream; flows marked for test plays are dropped unless kept; the
  // upgrades of older files; the parent check; the validation.
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;

  // Palette position 0, cleared, 37 flags of 0, then the non-zero defaults.
  void SetDefaults();
  // The parent check: a stale parent is dropped (palette kind 0); otherwise
  // the groups whose flags are set are copied from it.
  void Inherit();
  // The parent check without copying: a stale parent is dropped.
  void CheckRefs();
  // Repairs the palette references of every command of every flow.
  void CheckFlowRefs();
  // The parent check again, then graphic, size and animation-set ranges.
  void Validate();

  // Placement offsets of copy n for a facing (1 right), in dots.
  double GetShiftX(int n, int facing) const;
  double GetShiftY(int n, int facing) const;

  // Not registered: a word carried after the palette position, the flows.
  std::uint32_t m_nPlaceWord = 0;
  cVector<cEdFlow> m_vFlows;

  // Registered, in stream order (field numbers in the comments): fields 1
  // to 4 are the palette reference and the condition mode and once switch of
  // the base, then these; the name is the one string.
  std::uint8_t m_nFacing = 0;                    // 5 at placement: 0 left, 1 right
  std::uint8_t m_nCopyCount = 0;                 // 6 copies put out beyond the first
  std::uint16_t m_nShiftXBase = 0;               // 7 x placement offset base
  std::uint16_t m_nShiftXStep = 0;               // 8 and step per copy
  std::int16_t m_nShiftYBase = 0;                // 9
  std::int16_t m_nShiftYStep = 0;                // 10
  std::uint8_t m_bMirrorX = 0;                   // 11 offsets mirrored when facing right
  std::uint8_t m_bMirrorY = 0;                   // 12
  std::uint16_t m_nGraphicNo = 0;                // 13
  std::uint8_t m_nGraphicKind = 1;               // 14
  std::uint16_t m_nGraphicOffset = 0;            // 15 cell offset within the graphic
  std::uint16_t m_nAnimeSet = 0;                 // 16 base animation set
  std::uint8_t m_nZ = 3;                         // 17 "z"
  std::uint8_t m_bTransparent = 0;               // 18 "透明": not drawn
  std::uint16_t m_nBaseEffect = 0;               // 19 character effect from the start
  std::uint8_t m_nBaseEffectMode = 0;            // 20 "通常実行", "反転実行", "往復実行" (196)
  std::uint8_t m_bBaseEffectLoop = 1;            // 21
  std::uint16_t m_nDeathEffect = 0;              // 22 character effect on death
  std::uint8_t m_nDeathEffectMode = 0;           // 23 (196)
  std::uint8_t m_bMark = 0;                      // 24 draws the mark
  std::int16_t m_nMark = 0;                      // 25 "mark"
  std::uint8_t m_nOperator = kOperatorComputer;  // 26 CharaOperator
  std::uint8_t m_nPlayerNo = 0;                  // 27 input record of a player's character
  std::uint8_t m_nFaction = 1;                   // 28 "勢力" 0 to 7
  std::uint8_t m_nCharaId = 0;                   // 29 "cid"
  std::uint8_t m_nFlight = 0;                    // 30 "飛行"
  std::uint8_t m_bTurnByCmd = 1;                 // 31 facing turned by command only
  std::uint8_t m_nInvincible = 0;                // 32 "無敵": 1 no HP loss, 2 also no shot hits
  std::uint8_t m_nInvincibleColor = 0;           // 33 (285)
  std::uint8_t m_bBlockChara = 0;                // 34 acts as a block
  std::uint8_t m_nSize = 1;                      // 35 "巨大化" 1 to 10
  std::uint8_t m_bScrollSync = 0;                // 36 "オートスクロールとシンクロ" (210)
  std::uint8_t m_nSightShape = 0;                // 37 view-range shape
  std::uint8_t m_nSight = 0;                     // 38 "sight", half blocks
  std::int32_t m_nMaxHp = 10;                    // 39 "mhp"
  std::int32_t m_nMaxSp = 0;                     // 40 "msp"
  std::uint16_t m_nStop = 10;                    // 41 "stop"
  std::uint8_t m_nHitArea = 0;                   // 42 body-box choice (201)
  std::int32_t m_nPower = 0;                     // 43 "power"
  std::int8_t m_nImpact = 0;                     // 44 "imp"
  std::uint16_t m_nHitEffect = 0;                // 45 point effect of a body-attack hit
  std::int32_t m_nDefence = 0;                   // 46 "def" (168)
  std::uint8_t m_nImpactResist = 0;              // 47 "impd"
  std::int32_t m_nScore = 0;                     // 48 "getsc"
  std::uint8_t m_nStored49 = 1;                  // 49 stored, inherited and copied only
  std::uint8_t m_bGroup = 0;                     // 50 belongs to a wake-up group
  std::uint16_t m_nGroupNo = 0;                  // 51
  std::uint8_t m_nActiveRange = 0;               // 52 axes of the on-screen test
  std::uint8_t m_nRangeRule = 0;                 // 53 range / group rule

 private:
  void Upgrade(std::uint32_t version);
};
