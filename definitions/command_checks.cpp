// The command's checks against the tables, the database and the palettes.

#include <algorithm>
#include <cstdint>

#include "definitions/command_record.h"
#include "definitions/flow_record.h"
#include "foundation/log.h"
#include "project/global_data.h"

namespace {

constexpr std::int32_t kLongestSwordTime = 9999;
constexpr std::int32_t kCharaGraphicSheet = 4;  // graphic kind of the exchangeable character bitmaps

// Item references of shots: 1 the common palette, 2 the stage palette.
constexpr std::uint8_t kItemFromCommon = 1;
constexpr std::uint8_t kItemFromStage = 2;

bool Within(std::int64_t index, std::size_t count) { return index >= 0 && static_cast<std::uint64_t>(index) < count; }

// A parameter that names a database entry; past the list (or negative) it
// becomes `fallback`.
void KeepInList(cVector<std::int32_t>& params, std::size_t index, std::size_t count, std::int32_t fallback) {
  if (params.size() <= index) return;
  std::int32_t& value = params[static_cast<long long>(index)];
  if (!Within(value, count)) value = fallback;
}

// Total showing time of a sword type's frames, in tenths of a second.
std::int32_t SwordTime(const cSwordType& sword) {
  std::int64_t total = 0;
  for (const cSwordTypeEntry& entry : sword.m_vEntries) total += entry.nEntryTime & 0xFFFF;
  return static_cast<std::int32_t>(std::min<std::int64_t>(total, kLongestSwordTime));
}

void CheckDatabaseParams(cEdCmd& command, int kind) {
  const cDatabase& db = *g_Database;
  cVector<std::int32_t>& p = command.m_vParams;
  switch (kind) {
    case kCmdAnime: KeepInList(p, 0, db.m_vAnime.size(), 1); break;
    case kCmdEffect: KeepInList(p, 0, db.m_vEffect.size(), 1); break;
    case kCmdCharaEffect: KeepInList(p, 0, db.m_vCharaEffect.size(), 1); break;
    case kCmdScrEffect: KeepInList(p, 0, db.m_vScrEffect.size(), 1); break;
    case kCmdPicture: KeepInList(p, 0, db.m_vPicture.size(), 1); break;
    case kCmdSound: KeepInList(p, 0, db.m_vSound.size(), 1); break;
    case kCmdBgm: KeepInList(p, 0, db.m_vBgm.size(), 1); break;
    case kCmdChangeAnimeSet: KeepInList(p, 0, db.m_vAnimeSet.size(), 0); break;
    case kCmdChangeGraphic:
      if (p.size() >= 2 && p[0] == kCharaGraphicSheet) KeepInList(p, 1, db.m_vBmpCharaExc.size(), 1);
      break;
    case kCmdSword:
      if (command.m_nFamily != kFamilyChara || !command.m_Shot) break;
      if (!Within(command.m_Shot->m_nMoveKind, db.m_vSwordType.size())) command.m_Shot->m_nMoveKind = 0;
      if (Within(command.m_Shot->m_nMoveKind, db.m_vSwordType.size()))
        command.m_nTime = static_cast<std::int16_t>(SwordTime(db.m_vSwordType[command.m_Shot->m_nMoveKind]));
      break;
    default: break;
  }
}

void MendUnknownKind(cEdCmd& command) {
  if (CmdParamCount(command.m_nFamily, command.m_nKind) >= 0) return;
  Report("Unknown command kind %d of family %d; read as the empty command", command.m_nKind, command.m_nFamily);
  if (command.m_nFamily != kFamilyItem) command.m_nFamily = kFamilyChara;
  command.m_nKind = 0;
}

const PaletteListSizes* PaletteByChoice(int choice, const PaletteListSizes& common, const PaletteListSizes& stage) {
  if (choice == 0) return &common;
  if (choice == 1) return &stage;
  return nullptr;
}

void CheckOwnPaletteRefs(cEdCmd& command, const PaletteListSizes& common, const PaletteListSizes& stage) {
  const int kind = command.CharaKind();
  cEdShot* shot = command.m_Shot.get();
  switch (kind) {
    case kCmdShot:
    case kCmdSword: {
      if (!shot) break;
      const PaletteListSizes* palette = shot->m_nItemPalette == kItemFromCommon  ? &common
                                        : shot->m_nItemPalette == kItemFromStage ? &stage
                                                                                 : nullptr;
      if (palette && !Within(shot->m_nItemIndex, palette->items)) {
        shot->m_nItemPalette = 0;
        shot->m_nItemIndex = 0;
      }
      break;
    }
    case kCmdSummonBlock:
    case kCmdSummonChara:
    case kCmdSummonItem: {
      if (!shot) break;
      const PaletteListSizes* palette = PaletteByChoice(shot->m_nSummonPalette, common, stage);
      if (!palette) break;
      const std::size_t size = kind == kCmdSummonBlock   ? palette->blocks
                               : kind == kCmdSummonChara ? palette->charas
                                                         : palette->items;
      if (!Within(shot->m_nSummonIndex, size)) shot->m_nSummonIndex = 1;
      break;
    }
    case kCmdTakeItem: {
      cVector<std::int32_t>& p = command.m_vParams;
      if (p.size() < 2) break;
      const PaletteListSizes* palette = PaletteByChoice(p[0], common, stage);
      if (palette && !Within(p[1], palette->items)) p[1] = 1;
      break;
    }
    default: break;
  }
}

}  // namespace

void cEdCmd::Validate() {
  MendUnknownKind(*this);
  const cDatabase& db = *g_Database;
  if (m_nSound >= db.m_vSound.size()) m_nSound = 0;
  if (m_nAnime >= db.m_vAnime.size()) m_nAnime = 0;
  m_vParams.resize(static_cast<std::size_t>(CmdParamCount(m_nFamily, m_nKind)), 0);
  CheckDatabaseParams(*this, CharaKind());
  for (cEdFlow& flow : m_vFlows) flow.Validate();
}

void CheckPaletteRefs(cEdCmd& command, const PaletteListSizes& common, const PaletteListSizes& stage) {
  CheckOwnPaletteRefs(command, common, stage);
  for (cEdFlow& flow : command.m_vFlows) {
    for (cEdCmd& inner : flow.m_vCmds) CheckPaletteRefs(inner, common, stage);
  }
}
