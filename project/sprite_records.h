#pragma once
// Bitmap records of the database: extra character bitmaps
// ("Bmp_CharaExc.dat") and sword types ("SwordType.dat").

#include <cstdint>
#include <string>
#include "foundation/checked_vector.h"

#include "foundation/record.h"
#include "project/file_entry_record.h"

class cBmpCharaExc : public cRecord {
 public:
  static constexpr int kLoggedSize = 80;
  static constexpr std::int32_t kMinCellScale = 1;
  static constexpr std::int32_t kMaxCellScale = 16;

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;

  std::string m_strName;
  std::int32_t m_nFileParam = 0;
  std::string m_strFile;
  // 0: a sheet of 32 x 32 cells, 16 per row; else cells of m_nCellScale x 32
  // dots, 16 / m_nCellScale per row.
  std::int32_t m_nBigCell = 0;
  std::int32_t m_nCellScale = 2;

  // The side of a cell in dots: 32, or scale x 32 with the big-cell setting
  // (the scale held to 1..16 once more, for a record built in code).
  int CellSize() const;
};

class cSwordTypeEntry : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;

  std::int32_t nValue1 = 0;
  std::int32_t nValue2 = 0;
  std::int32_t nValue3 = 1;
  std::int32_t nValue4 = 0;
  std::int32_t nValue5 = 0;
  std::int32_t nSrcX = 0;
  std::int32_t nSrcY = 0;
  std::int32_t nWidth = 0;
  std::int32_t nHeight = 0;
  std::int32_t nEntryTime = 0;  // showing time; its low 16 bits count
};

class cSwordType : public cFileEntryRecord {
 public:
  static constexpr int kLoggedSize = 104;
  cSwordType();
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;
  // Cleared, with one entry of showing time 1.
  void SetDefaults();

  std::string m_strFile2;
  cVector<cSwordTypeEntry> m_vEntries;
};
