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

// The first pixel i of a row for which before(cols[i]) is false, when it
// is true for a leading part of the row and false after, walked to from a
// guess. Nearest sampling is so close to linear that the guess from the
// row's ends misses by a pixel or two: a short walk with well-predicted
// branches beats a search.
template <typename Before>
inline int Boundary(const int* cols, int w, int column, Before before) {
  const long span = long(cols[w - 1]) - cols[0];
  int i = span == 0 ? 0 : int(std::clamp((long(column) - cols[0]) * (w - 1) / span, 0L, long(w)));
  while (i > 0 && !before(cols[i - 1])) --i;
  while (i < w && before(cols[i])) ++i;
  return i;
}

// The destination pixels [lo, hi) of a stretched row that show source
// columns [begin, end), when pixel i shows cols[i] and cols rises
// (`mirrored` false) or falls (true) along the row.
struct PixelRange {
  int lo, hi;
};
inline PixelRange ColumnsShowing(const int* cols, int w, int begin, int end, bool mirrored) {
  if (!mirrored)
    return {Boundary(cols, w, begin, [begin](int c) { return c < begin; }),
            Boundary(cols, w, end, [end](int c) { return c < end; })};
  return {Boundary(cols, w, end, [end](int c) { return c >= end; }),
          Boundary(cols, w, begin, [begin](int c) { return c >= begin; })};
}
