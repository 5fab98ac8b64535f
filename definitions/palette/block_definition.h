#pragma once
// A block definition: a palette entry, or a block placed on a stage with its
// column and row. At stage set-up a placed block becomes a cell of the block
// map; its condition list decides when the block is in force.

#include <cstdint>
#include <string>

#include "definitions/palette/definition_base.h"
#include "foundation/checked_vector.h"
#include "foundation/record.h"

// Collision kinds of a block.
enum BlockCollision : std::uint8_t {
  kBlockPassable = 0,  // "当たらない"
  kBlockSolid = 1,     // "当たる"
  kBlockDeadly = 2,    // "主人公が当たると即死"
};

inline constexpr std::uint8_t kNoPassSide = 255;  // "なし"

class cEdBlock : public cEdDefinition {
 public:
  static constexpr std::size_t kGroupCount = 11;

  cEdBlock() { SetDefaults(); }
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The definition's stream; files older than 219 move shot graphics one
  // cell on; then the inheritance and the reference check.
  void Load(DataReader& in) override;
  // The reference check, then the stream.
  void Save(DataWriter& out) override;

  // Cleared, 11 flags of 0, collision kind 1, no pass side.
  void SetDefaults();
  // Copies the groups whose flags are set from the referenced palette entry.
  void Inherit();
  // A stale palette reference is dropped; a block without a graphic stops
  // nothing and is not fixed.
  void CheckRefs();
  // A stale reference to the carried item is dropped.
  void CheckItemRef();

  std::uint16_t m_nGraphicNo = 0;
  std::uint8_t m_nGraphicKind = 0;  // "ブロック", "キャラ", "アイテム", "ショット", "専用bmp"
  std::uint16_t m_nGraphicWord = 0;
  std::uint8_t m_nLayer = 0;    // 0 behind the objects, 1 in front, other: not drawn
  std::uint8_t m_bHidden = 0;   // not drawn, still stops objects
  std::uint8_t m_nOverlay = 0;  // 1: the overlay graphic is drawn over the block
  std::uint16_t m_nOverlayNo = 0;
  std::uint8_t m_nCollision = kBlockSolid;  // BlockCollision
  std::uint8_t m_nPassSide = kNoPassSide;   // objects of this side pass; 255 none
  std::uint8_t m_nEffect = 0;               // "なし", jump, no jump, speed %, move left, move right
  std::uint32_t m_nEffectValue = 0;
  std::uint8_t m_nItemPalKind = 0;  // carried item: PaletteKind
  std::uint16_t m_nItemIndex = 0;
  std::uint8_t m_bFixed = 0;  // the block-summon command leaves the cell alone
};
