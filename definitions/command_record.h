#pragma once
// One command of a flow or of an item's command list: what a character or an
// item does, step by step, when its flow runs.
//
// A command names its table by its family (character or item command) and
// the command by its kind (definitions/command_kinds.h). Its integer
// parameters are as many as the table gives for the kind. Some kinds keep
// extra records: movement parameters, shot parameters, the condition list of
// "フローの操作" and the flows that "フローの変更" installs. The three
// parameter records are owned by the command and copied with it, so two
// commands never share one; an empty holder means the kind has no such record.
//
// The stream after the registered fields: u32 movement present (then its
// record), u32 shot present (then its record), from version 764 u32
// condition list present (then its record), u32 flow count and the flows,
// i32 parameter count and the u32 values. Loading upgrades files older than
// this program step by step (definitions/command_upgrades.h) and validates
// the command against the database (Validate); saving validates first.
//
// Commands nest through their flows (a command's flow holds commands that
// hold flows); more than kMaxCommandNesting levels is taken for a damaged file.

#include <cstdint>
#include <string>

#include "definitions/command_kinds.h"
#include "definitions/condition_records.h"
#include "definitions/move_record.h"
#include "definitions/shot_record.h"
#include "foundation/checked_vector.h"
#include "foundation/cloned_record.h"
#include "foundation/record.h"

class cEdFlow;

inline constexpr int kMaxCommandNesting = 32;

class cEdCmd : public cRecord {
 public:
  static constexpr int kLoggedSize = 92;

  // Family 0, kind 0, no parameters or records, hero-only sound on: the
  // cleared command.
  cEdCmd();
  cEdCmd(const cEdCmd& other);
  cEdCmd(cEdCmd&& other) noexcept;
  cEdCmd& operator=(const cEdCmd& other);
  cEdCmd& operator=(cEdCmd&& other) noexcept;
  ~cEdCmd() override;

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;
  // The registered fields zeroed, the code text emptied, the three records
  // dropped, hero-only sound on. Parameters and flows are left alone.
  void Clear();

  // Brings the command in line with the tables and the database: an unknown
  // family or kind becomes the empty command (reported); sound and anime
  // numbers past their lists become 0; the parameters are resized to the
  // kind's count; database numbers in the parameters and the sword type are
  // brought into their lists, and a sword's time follows its sword type.
  // Runs for every command of the command's flows too.
  void Validate();

  // The character command this command performs: its kind for a character
  // command, the character kind of the same command for an item command; -1
  // for "フローの変更" and anything outside the tables.
  int CharaKind() const;

  // Small parameter n; one the command does not carry reads 0.
  std::int32_t ParamOrZero(long long index) const {
    return index >= 0 && index < static_cast<long long>(m_vParams.size()) ? m_vParams[index] : 0;
  }

  std::uint8_t m_nFamily = kFamilyChara;
  std::uint8_t m_nKind = 0;
  cVector<std::int32_t> m_vParams;
  std::string m_strCode;             // the text of "コードの実行"
  ClonedRecord<cEdMove> m_Move;
  ClonedRecord<cEdShot> m_Shot;
  std::int16_t m_nTime = 0;          // tenths of a second the entry runs
  std::int16_t m_nTimeStep = 0;      // added per clone value
  std::uint8_t m_bInstant = 0;       // 1: the flow goes on without waiting for the command
  std::uint16_t m_nSound = 0;        // sound database entry
  std::uint8_t m_bHeroOnlySound = 1; // the command's sound plays only for a hero
  std::uint16_t m_nAnime = 0;        // anime database entry run with the command; 0 none
  ClonedRecord<cCondList> m_CondList;
  cVector<cEdFlow> m_vFlows;
};

// Sizes of the definition lists of one palette, for the palette-reference check.
struct PaletteListSizes {
  std::size_t blocks = 0;
  std::size_t charas = 0;
  std::size_t items = 0;
};

// Resets references into the palettes that point past the end of the
// referenced list, in the command and in every command of its flows: a shot's
// or sword's item reference (both fields 0), a summoned definition (index 1),
// the item of "アイテムの取得" (index 1).
void CheckPaletteRefs(cEdCmd& command, const PaletteListSizes& common, const PaletteListSizes& stage);
