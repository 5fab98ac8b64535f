#include "tests/support/damaged_copies.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

constexpr std::size_t kHeadBytes = 4;
constexpr std::int32_t kLargestCount = 64;

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

int LinesNaming(std::string_view text, std::string_view storedPath) {
  const std::string quoted = "\"" + std::string(storedPath) + "\"";
  int lines = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    if (text.substr(start, end - start).find(quoted) != std::string_view::npos) ++lines;
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::vector<DamagedCopy> DamagedCopies(const std::vector<unsigned char>& valid, std::size_t limit) {
  std::vector<std::size_t> counts;
  for (std::size_t at = kHeadBytes; at + sizeof(std::int32_t) <= valid.size(); ++at) {
    std::int32_t value = 0;
    std::memcpy(&value, valid.data() + at, sizeof value);
    if (value >= 1 && value <= kLargestCount) counts.push_back(at);
  }
  std::vector<DamagedCopy> copies;
  const std::size_t step = counts.size() > limit ? counts.size() / limit : 1;
  for (std::size_t i = 0; i < counts.size(); i += step) {
    const std::size_t at = counts[i];
    std::vector<unsigned char> bytes = valid;
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    --value;
    std::memcpy(bytes.data() + at, &value, sizeof value);
    copies.push_back({"the i32 at byte " + std::to_string(at) + " one lower", std::move(bytes), false});
  }
  for (const std::size_t cut :
       {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3}, valid.size() / 2, valid.size() - 1})
    copies.push_back({"cut to " + std::to_string(cut) + " bytes",
                      {valid.begin(), valid.begin() + static_cast<long>(cut)},
                      true});
  return copies;
}

void ExpectOneReportLinePerDamagedCopy(const std::vector<unsigned char>& valid,
                                       const std::filesystem::path& file, std::string_view storedPath,
                                       const std::filesystem::path& report,
                                       const std::function<bool()>& load) {
  ASSERT_GT(valid.size(), kHeadBytes);
  int refusedLowered = 0;
  for (const DamagedCopy& copy : DamagedCopies(valid)) {
    SCOPED_TRACE(copy.what);
    WriteFile(file, copy.bytes);
    const std::size_t reportBefore = ReadText(report).size();
    const bool taken = load();
    const int lines = LinesNaming(std::string_view(ReadText(report)).substr(reportBefore), storedPath);
    if (copy.cut) {
      EXPECT_FALSE(taken);
      EXPECT_EQ(lines, 1);
    } else {
      EXPECT_LE(lines, 1);
      if (!taken) ++refusedLowered;
    }
  }
  EXPECT_GT(refusedLowered, 0);
  WriteFile(file, valid);
}
