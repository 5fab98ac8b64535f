#pragma once
// An item definition: a palette entry, or an item placed on a stage with its
// column and row. The hero takes an item by its taking rule; taking it runs
// the item's command list.

#include <cstdint>
#include <string>

#include "definitions/command_record.h"
#include "definitions/palette/definition_base.h"
#include "foundation/checked_vector.h"
#include "foundation/record.h"

// Taking rules of an item.
enum ItemTaking : std::uint8_t {
  kTakeOnce = 0,   // "1回だけ取れる"
  kTakeAgain = 1,  // "何回でも取れる"
  kTakeNever = 2,  // "取れない"
};

class cEdItem : public cEdDefinition {
 public:
  static constexpr std::size_t kGroupCount = 13;

  cEdItem() { SetDefaults(); }
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The definition's stream with its command list; files older than 219 move
  // shot graphics one cell on; then the inheritance and the reference check.
  void Load(DataReader& in) override;
  // The reference check, then the stream.
  void Save(DataWriter& out) override;

  // Cleared, 13 flags of 0, graphic kind 2, Z layer 6, picture message on,
  // size factor 1.
  void SetDefaults();
  // Copies the groups whose flags are set from the referenced palette entry.
  void Inherit();
  // A stale palette reference is dropped, the size factor is at least 1, a
  // sound past the database's sounds becomes 0, and every command validates.
  void CheckRefs();
  // Repairs the palette references of the commands' shot and sword records.
  void CheckCmds();

  std::int16_t m_nOffsetX = 0;  // dots added when the item is put on the stage
  std::int16_t m_nOffsetY = 0;
  std::uint16_t m_nGraphicNo = 0;   // 0: the item is never taken
  std::uint8_t m_nGraphicKind = 2;  // "アイテム"
  std::uint16_t m_nGraphicWord = 0;
  std::uint8_t m_nZ = 6;       // drawing pass when the stage draws by Z layer
  std::uint8_t m_bHidden = 0;  // not drawn, still taken
  std::uint8_t m_nOverlay = 0;
  std::uint16_t m_nOverlayNo = 0;
  std::uint8_t m_bPictureMessage = 1;  // taking shows the item's picture rising at the hero
  std::uint8_t m_nTaking = kTakeOnce;  // ItemTaking
  std::uint8_t m_nSize = 1;            // size factor, at least 1
  std::uint16_t m_nSoundNo = 0;        // database sound played on taking
  cVector<cEdCmd> m_vCmds;             // item commands, run on taking
};
