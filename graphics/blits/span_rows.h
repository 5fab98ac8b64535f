#pragma once
// What the blits share for drawing through a source's runs of drawn pixels
// (graphics/surfaces/opaque_spans.h): finding the runs a blit reads and the
// destination pixels a run lands on.

#include <algorithm>
#include <cstdint>
#include <span>

#include "graphics/surfaces/opaque_spans.h"

// The runs of one row from the first that ends after source column `from`.
inline std::span<const OpaqueSpan> RunsFrom(std::span<const OpaqueSpan> runs, int from) {
  auto first = runs.begin();
  // Sprite rows hold a handful of runs; a sheet's rows may hold hundreds.
  if (runs.size() <= 8) {
    while (first != runs.end() && first->end <= from) ++first;
  } else {
    first = std::partition_point(runs.begin(), runs.end(), [from](const OpaqueSpan& r) { return r.end <= from; });
  }
  return {first, runs.end()};
}

// The destination pixels [lo, hi) of a stretched row that show source
// columns [begin, end), when pixel i shows cols[i] and cols rises
// (`mirrored` false) or falls (true) along the row.
struct PixelRange {
  int lo, hi;
};
inline PixelRange ColumnsShowing(const int* cols, int w, int begin, int end, bool mirrored) {
  const int* last = cols + w;
  if (!mirrored) {
    const int* lo = std::lower_bound(cols, last, begin);
    return {int(lo - cols), int(std::lower_bound(lo, last, end) - cols)};
  }
  const int* lo = std::partition_point(cols, last, [end](int c) { return c >= end; });
  return {int(lo - cols), int(std::partition_point(lo, last, [begin](int c) { return c >= begin; }) - cols)};
}
