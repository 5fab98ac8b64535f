#include "graphics/surfaces/opaque_spans.h"

#include <cstddef>

void cOpaqueSpans::Reset(const SeeThroughTest& test, int height) {
  m_stale = false;
  m_test = test;
  m_first.assign(std::size_t(height), -1);
  m_count.assign(std::size_t(height), 0);
  m_spans.clear();
  m_rowsBuilt = 0;
}

namespace {

template <typename Pixel>
void AppendRuns(std::vector<OpaqueSpan>& out, const Pixel* row, int width, const SeeThroughTest& test) {
  int x = 0;
  while (x < width) {
    if (test.SeeThrough(row[x])) {
      ++x;
      continue;
    }
    const bool solid = test.Solid(row[x]);
    const int begin = x;
    while (x < width && !test.SeeThrough(row[x]) && test.Solid(row[x]) == solid) ++x;
    out.push_back({begin, x, solid});
  }
}

}  // namespace

void cOpaqueSpans::Build(std::size_t row, const void* pixels, int width, int bytesPerPixel) {
  m_first[row] = std::int32_t(m_spans.size());
  if (bytesPerPixel == 1)
    AppendRuns(m_spans, static_cast<const std::uint8_t*>(pixels), width, m_test);
  else
    AppendRuns(m_spans, static_cast<const std::uint32_t*>(pixels), width, m_test);
  m_count[row] = std::int32_t(m_spans.size()) - m_first[row];
  ++m_rowsBuilt;
}
