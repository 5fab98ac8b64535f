#pragma once
// File-name records of the database: pictures ("Picture.dat"), sound effects
// ("Sound.dat"; database sound n is sound number 16 + n) and music ("Bgm.dat").

#include <cstdint>

#include "project/file_entry_record.h"

class cPicture : public cFileEntryRecord {};

class cSound : public cFileEntryRecord {};

class cBgm : public cFileEntryRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;

  std::int32_t m_nVolume = 100;  // 0 to 100, handed to the music player
};
