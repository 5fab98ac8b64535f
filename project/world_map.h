#pragma once
// The world map "data\WorldMap.dat": a grid of cells of tile kinds, the points
// on it and the stage entries of each point.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/checked_vector.h"
#include "foundation/record.h"

// One kind of tile that cells of the grid name by index.
class cWorldTile : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;

  std::int32_t m_nTileValue = 0;
  std::int32_t m_bBlock = 0;  // the cursor cannot enter unless a stage entry applies there
  std::int32_t m_nChip = 0;   // picture cell of the chip bitmap
  std::string m_strName;
  std::string m_strNote;
};

// One stage entry of a point: a stage, a road or a wall, under its condition.
class cWorldStage : public cRecord {
 public:
  enum Kind : std::int32_t { kStage = 0, kRoad = 1, kWall = 2 };

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  // Cleared, second stage code 1.
  void SetDefaults();

  std::int32_t m_nKind = kStage;
  std::int32_t m_nValue1 = 0;
  std::int32_t m_nValue2 = 0;
  std::int32_t m_nValue3 = 0;
  std::int32_t m_nValue4 = 0;
  std::int32_t m_nAfterLast = 0;  // 0 nothing, 1 next round, 2 back to the title
  std::int32_t m_nSwitch = 0;
  std::int32_t m_nVar = 0;
  std::int32_t m_nVarValue = 0;
  std::int32_t m_nCompare = 0;
  std::int32_t m_nValue5 = 0;
  std::int32_t m_nCode1 = 0;
  std::int32_t m_nCode2 = 1;
  std::int32_t m_nCode3 = 0;
  std::string m_strName;
  std::string m_strStage;  // stage file name
};

class cWorldPoint : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;
  // Cleared, with exactly one default stage entry.
  void SetDefaults();

  std::int32_t m_nX = 0;
  std::int32_t m_nY = 0;
  std::string m_strName;
  cVector<cWorldStage> m_vStage;
};

struct WorldCell {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

class cWorldMap : public cRecord {
 public:
  // Sides beyond this are refused as damaged data.
  static constexpr std::int32_t kMaxSide = 4096;

  cWorldMap();
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // Reads the map and its lists, fixes up files older than 812, checks the
  // size (a zero, negative or absurd size refuses the file), rebuilds the
  // pitch and cell array from the width and height, then Validate.
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;
  // A new 20 x 15 map.
  void SetDefaults();
  // Resizes the grid keeping each cell at its (x, y); 0 when a side is not
  // usable (the map is then unchanged).
  int SetSize(std::int32_t width, std::int32_t height);
  // Brings the start cell, the cells and the points inside the map.
  void Validate();
  // The first point on the cell, or null.
  cWorldPoint* GetPointAt(WorldCell cell);
  // Whether a stage entry of kind stage names `name` (a key name, see
  // StageKeyName) with matching stage codes.
  int HasStage(std::string_view name, std::int32_t code1, std::int32_t code2, std::int32_t code3) const;

  std::int32_t m_nWidth = 0;
  std::int32_t m_nHeight = 0;
  std::int32_t m_nPitch = 0;
  std::int32_t m_nPitchShift = 0;
  std::int32_t m_nStartX = 0;
  std::int32_t m_nStartY = 0;
  std::int32_t m_nBackColor = 16;
  std::int32_t m_bBackPicture = 0;
  std::string m_strName;
  std::string m_strBackBmp;
  cVector<cWorldTile> m_vTile;
  cVector<std::int32_t> m_vCell;  // tile kind of (x, y) at (y << shift) + x
  cVector<cWorldPoint> m_vPoint;
  cVector<cWorldPoint> m_vPoint2;  // kept with the map, never read by the player

 private:
  void FixUpOldTiles();
  bool MendLoadedGrid();
};

// The row pitch (smallest power of two not below the width) as its shift.
std::int32_t PitchShiftForWidth(std::int32_t width);

// The key name of a stage file: its extension removed, then cut at a "-1"
// found from the end, ending with a '.' (c01-1.stg4_x gives "c01.",
// forest.stg4_x gives "forest.").
std::string StageKeyName(std::string_view stageFile);
