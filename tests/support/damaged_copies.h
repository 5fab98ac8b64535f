#pragma once
// Damaged copies of a valid data file, and the check that the loader of its
// kind reports each refused copy in one line.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct DamagedCopy {
  std::string what;
  std::vector<unsigned char> bytes;
  // A cut file cannot be read whole; a lowered number may still read as a
  // file that holds other values.
  bool cut = false;
};

// Copies of the valid file in which one i32 past the version head that could
// be a count or a length (1 to 64) is one lower, so that a record's block or
// string count, a list count or a string length reads short while the bytes
// around it still look sound (at most `limit` of them, spread over the file);
// and the file cut to 0 to 3 bytes, to half and to all but its last byte.
std::vector<DamagedCopy> DamagedCopies(const std::vector<unsigned char>& valid, std::size_t limit = 150);

// Writes each damaged copy of `valid` to `file` and loads it with `load`
// (true when the loader took the file). Each load may add at most one line
// naming the stored path in quotes to the report at `report`; a cut copy
// must be refused with exactly one; some lowered numbers must be refused too.
// The valid file is written back at the end.
void ExpectOneReportLinePerDamagedCopy(const std::vector<unsigned char>& valid,
                                       const std::filesystem::path& file, std::string_view storedPath,
                                       const std::filesystem::path& report,
                                       const std::function<bool()>& load);
