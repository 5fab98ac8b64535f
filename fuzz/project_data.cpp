// Loads arbitrary bytes as the project's System.dat, WorldMap.dat or one of
// the database files. Whatever the bytes, loading must stay in bounds and
// leave usable records; a record that loads must save without fault.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/record_fuzzing.h"
#include "project/database.h"
#include "project/frame_tables.h"
#include "project/global_data.h"

namespace {

template <typename Record>
void LoadDatabaseFile(std::vector<unsigned char> bytes) {
  auto in = OpenReadBytes(std::move(bytes), "fuzz");
  if (!in) return;
  cVector<Record> list(2);
  ReadDatabaseRecords(*in, list, Record());
  if (!CloseFile(*in)) return;
  DataWriter out("fuzz");
  WriteRecordList(out, list);
}

// The database file that also feeds the frame tables.
void LoadAnimationsAndBuildFrames(std::vector<unsigned char> bytes) {
  auto in = OpenReadBytes(std::move(bytes), "fuzz");
  if (!in) return;
  cDatabase database;
  ReadDatabaseRecords(*in, database.m_vAnime, cAnime());
  if (!CloseFile(*in)) return;
  cVector<Pattern> table;
  BuildAnimeFrames(table, database);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  const AtMostOneReportLine oneLine("fuzz");
  if (size < 1) return 0;
  std::vector<unsigned char> bytes(data + 1, data + size);
  switch (data[0] % 13) {
    case 0: LoadAndSaveRecord<cSystem>(std::move(bytes)); break;
    case 1: LoadAndSaveRecord<cWorldMap>(std::move(bytes)); break;
    case 2: LoadAnimationsAndBuildFrames(std::move(bytes)); break;
    case 3: LoadDatabaseFile<cAnimeSet>(std::move(bytes)); break;
    case 4: LoadDatabaseFile<cBmpCharaExc>(std::move(bytes)); break;
    case 5: LoadDatabaseFile<cSwordType>(std::move(bytes)); break;
    case 6: LoadDatabaseFile<cEffect>(std::move(bytes)); break;
    case 7: LoadDatabaseFile<cCharaEffect>(std::move(bytes)); break;
    case 8: LoadDatabaseFile<cScrEffect>(std::move(bytes)); break;
    case 9: LoadDatabaseFile<cPicture>(std::move(bytes)); break;
    case 10: LoadDatabaseFile<cSound>(std::move(bytes)); break;
    case 11: LoadDatabaseFile<cBgm>(std::move(bytes)); break;
    default: LoadAndSaveRecord<cUserOption>(std::move(bytes)); break;
  }
  return 0;
}
