// Loads arbitrary bytes as a ranking file, and patches of a valid one of
// any data version. Whatever the bytes, a loaded ranking has five tables of
// twenty rows, takes inserts in every table and saves without fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/record_fuzzing.h"
#include "screens/ranking/ranking_records.h"

namespace {

std::vector<unsigned char> ValidRankingFile() {
  cRanking ranking;
  for (int genre = 0; genre < kRankingGenres; ++genre)
    for (int i = 0; i < 4; ++i) ranking.m_vTables[genre].Insert("abc", i * 100 - genre);
  DataWriter out("fuzz");
  out.Write(kProgramDataVersion);
  ranking.Save(out);
  return out.Bytes();
}

void LoadRankingBytes(std::vector<unsigned char> bytes) {
  auto in = OpenReadBytes(std::move(bytes), "fuzz");
  if (!in) return;
  cRanking ranking;
  ranking.Load(*in);
  if (!CloseFile(*in)) return;
  if (ranking.m_vTables.size() != kRankingGenres) std::abort();
  for (cRankingTable& table : ranking.m_vTables) {
    if (table.m_vEntries.size() != kRankingRows) std::abort();
    table.Insert("new", table.m_vEntries[0].m_nScore);
    if (table.m_vEntries.size() != kRankingRows) std::abort();
  }
  DataWriter out("fuzz");
  ranking.Save(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  const AtMostOneReportLine oneLine("fuzz");
  if (size < 1) return 0;
  static const std::vector<unsigned char> valid = ValidRankingFile();
  if (data[0] % 2 == 0) LoadRankingBytes(std::vector<unsigned char>(data + 1, data + size));
  else LoadRankingBytes(PatchedFile(valid, data + 1, size - 1));
  return 0;
}
