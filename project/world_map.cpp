#include "project/world_map.h"

#include <algorithm>
#include <cstdint>

#include "foundation/log.h"

namespace {

constexpr std::uint32_t kTileKindsAddedIn = 812;
constexpr std::size_t kOldTileKinds = 10;
constexpr std::size_t kOldBlockingKinds = 5;

cWorldStage DefaultStage() {
  cWorldStage stage;
  stage.SetDefaults();
  return stage;
}

}  // namespace

std::int32_t PitchShiftForWidth(std::int32_t width) {
  std::int32_t shift = 0;
  if (width != 1) {
    for (std::int32_t n = width - 1; n != 0; n /= 2) ++shift;
  }
  return shift;
}

std::string StageKeyName(std::string_view stageFile) {
  // '.', '-' and '1' are never the trail byte of a Shift-JIS character, so
  // plain byte searches are safe here.
  std::string name(stageFile.substr(0, std::min(stageFile.rfind('.'), stageFile.size())));
  for (std::size_t i = name.size(); i-- > 0;) {
    if (name[i] == '-' && i + 1 < name.size() && name[i + 1] == '1') {
      name.resize(i);
      break;
    }
  }
  name += '.';
  return name;
}

void cWorldTile::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&m_nTileValue);
  fields.AddField4(&m_bBlock);
  fields.AddField4(&m_nChip);
  fields.AddString(&m_strName);
  fields.AddString(&m_strNote);
}

void cWorldStage::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  for (std::int32_t* value : {&m_nKind, &m_nValue1, &m_nValue2, &m_nValue3, &m_nValue4, &m_nAfterLast, &m_nSwitch,
                              &m_nVar, &m_nVarValue, &m_nCompare})
    fields.AddField4(value);
  if (version >= 209) fields.AddField4(&m_nValue5);
  if (version >= 758) {
    fields.AddField4(&m_nCode1);
    fields.AddField4(&m_nCode2);
    fields.AddField4(&m_nCode3);
  }
  fields.AddString(&m_strName);
  fields.AddString(&m_strStage);
}

void cWorldStage::Load(DataReader& in) {
  cRecord::Load(in);
  if (in.Version() < 209) m_nValue5 = 0;
}

void cWorldStage::SetDefaults() {
  Clear();
  m_nCode2 = 1;
}

void cWorldPoint::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&m_nX);
  fields.AddField4(&m_nY);
  fields.AddString(&m_strName);
}

void cWorldPoint::Load(DataReader& in) {
  cRecord::Load(in);
  ReadRecordList(in, m_vStage, DefaultStage());
}

void cWorldPoint::Save(DataWriter& out) {
  cRecord::Save(out);
  WriteRecordList(out, m_vStage);
}

void cWorldPoint::SetDefaults() {
  Clear();
  m_vStage.assign(1, DefaultStage());
}

cWorldMap::cWorldMap() { SetDefaults(); }

void cWorldMap::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  for (std::int32_t* value :
       {&m_nWidth, &m_nHeight, &m_nPitch, &m_nPitchShift, &m_nStartX, &m_nStartY, &m_nBackColor, &m_bBackPicture})
    fields.AddField4(value);
  fields.AddString(&m_strName);
  fields.AddString(&m_strBackBmp);
}

void cWorldMap::SetDefaults() {
  Clear();
  m_strName = Cp932Literal("ワールド");
  m_nStartX = 9;
  m_nStartY = 7;
  m_nBackColor = 16;
  m_bBackPicture = 0;
  SetSize(20, 15);
  m_vPoint.clear();
  cWorldPoint point;
  point.SetDefaults();
  point.m_strName = Cp932Literal("デフォルト");
  m_vPoint2.assign(1, point);
}

int cWorldMap::SetSize(std::int32_t width, std::int32_t height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
    DebugBoxF("%s", Cp932Literal("SetSize()で 0 を指定しました！"));
    return 0;
  }
  const std::int32_t oldWidth = m_nWidth;
  const std::int32_t oldHeight = m_nHeight;
  const std::int32_t oldShift = m_nPitchShift;
  cVector<std::int32_t> oldCells;
  if (!m_vCell.empty()) {
    DebugBoxF("nBeforeWidth = %d,nBeforePitch = %d,nBeforePitch_Shift = %d", oldWidth, m_nPitch, oldShift);
    oldCells.swap(m_vCell);
  }
  m_nWidth = width;
  m_nHeight = height;
  m_nPitchShift = PitchShiftForWidth(width);
  m_nPitch = 1 << m_nPitchShift;
  m_vCell.assign(static_cast<std::size_t>(height) * static_cast<std::size_t>(m_nPitch), 0);
  const std::int32_t keepWidth = std::min(oldWidth, width);
  const std::int32_t keepHeight = std::min(oldHeight, height);
  for (std::int32_t y = 0; y < keepHeight; ++y) {
    for (std::int32_t x = 0; x < keepWidth; ++x) {
      const std::size_t from = (static_cast<std::size_t>(y) << oldShift) + static_cast<std::size_t>(x);
      if (from < oldCells.size())
        m_vCell[(static_cast<long long>(y) << m_nPitchShift) + x] = oldCells[static_cast<long long>(from)];
    }
  }
  return 1;
}

void cWorldMap::Load(DataReader& in) {
  cRecord::Load(in);
  ReadRecordList(in, m_vTile, cWorldTile());
  const std::int32_t cellCount = in.ReadCount(sizeof(std::int32_t));
  if (cellCount > 0) {
    m_vCell.resize(static_cast<std::size_t>(cellCount), 0);
    in.ReadArray(m_vCell.data(), m_vCell.size());
  }
  ReadRecordList(in, m_vPoint, cWorldPoint());
  ReadRecordList(in, m_vPoint2, cWorldPoint());
  if (!in.ok()) return;
  if (in.Version() < kTileKindsAddedIn) FixUpOldTiles();
  if (!MendLoadedGrid()) {
    in.Fail("world map size out of range");
    return;
  }
  Validate();
}

void cWorldMap::FixUpOldTiles() {
  m_vTile.resize(kOldTileKinds);
  for (std::size_t i = 0; i < kOldTileKinds; ++i) {
    cWorldTile& tile = m_vTile[static_cast<long long>(i)];
    const bool blocking = i < kOldBlockingKinds;
    tile.m_nChip = static_cast<std::int32_t>(i);
    tile.m_bBlock = blocking ? 1 : 0;
    tile.m_strName = Cp932Literal(blocking ? "移動不可" : "移動可");
    tile.m_strNote.clear();
  }
}

// The pitch, shift and cell array follow from the width and height alone, so a
// file cannot make the grid disagree with its own size.
bool cWorldMap::MendLoadedGrid() {
  if (m_nWidth < 1 || m_nHeight < 1 || m_nWidth > kMaxSide || m_nHeight > kMaxSide) return false;
  m_nPitchShift = PitchShiftForWidth(m_nWidth);
  m_nPitch = 1 << m_nPitchShift;
  m_vCell.resize(static_cast<std::size_t>(m_nHeight) * static_cast<std::size_t>(m_nPitch), 0);
  // Every cell names a tile kind; kind 0 must exist.
  if (m_vTile.empty()) m_vTile.push_back(cWorldTile());
  return true;
}

void cWorldMap::Validate() {
  if (m_nStartX >= m_nWidth) m_nStartX = m_nWidth - 1;
  if (m_nStartY >= m_nHeight) m_nStartY = m_nHeight - 1;
  m_nStartX = std::max(m_nStartX, 0);
  m_nStartY = std::max(m_nStartY, 0);
  for (std::int32_t y = 0; y < m_nHeight; ++y) {
    for (std::int32_t x = 0; x < m_nWidth; ++x) {
      const std::size_t index = (static_cast<std::size_t>(y) << m_nPitchShift) + static_cast<std::size_t>(x);
      if (index >= m_vCell.size()) continue;
      std::int32_t& cell = m_vCell[static_cast<long long>(index)];
      if (static_cast<std::uint32_t>(cell) >= m_vTile.size()) cell = 0;
    }
  }
  std::erase_if(m_vPoint, [&](const cWorldPoint& point) { return point.m_nX >= m_nWidth || point.m_nY >= m_nHeight; });
}

void cWorldMap::Save(DataWriter& out) {
  Validate();
  cRecord::Save(out);
  WriteRecordList(out, m_vTile);
  out.WriteCount(m_vCell.size());
  out.WriteArray(m_vCell.data(), m_vCell.size());
  WriteRecordList(out, m_vPoint);
  WriteRecordList(out, m_vPoint2);
}

cWorldPoint* cWorldMap::GetPointAt(WorldCell cell) {
  for (cWorldPoint& point : m_vPoint) {
    if (point.m_nX == cell.x && point.m_nY == cell.y) return &point;
  }
  return nullptr;
}

int cWorldMap::HasStage(std::string_view name, std::int32_t code1, std::int32_t code2, std::int32_t code3) const {
  for (const cWorldPoint& point : m_vPoint) {
    for (const cWorldStage& stage : point.m_vStage) {
      if (stage.m_nKind != cWorldStage::kStage || StageKeyName(stage.m_strStage) != name) continue;
      const bool matches = code1 == 0 ? stage.m_nCode1 == 0
                                      : stage.m_nCode1 != 0 && stage.m_nCode2 == code2 && stage.m_nCode3 == code3;
      if (matches) return 1;
    }
  }
  return 0;
}
