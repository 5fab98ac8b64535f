#include "graphics/surfaces/opaque_spans.h"

#include <cstddef>

void cOpaqueSpans::Reset(const SeeThroughTest& test, int height) {
  m_stale = false;
  m_test = test;
  m_rows.assign(std::size_t(height), {-1, 0, {}});
  m_spans.clear();
  m_packed.clear();
  m_rowsBuilt = 0;
}

namespace {

template <typename Pixel>
void AppendRuns(std::vector<OpaqueSpan>& out, std::vector<unsigned char>& packed, const Pixel* row, int width,
                const SeeThroughTest& test) {
  int x = 0;
  while (x < width) {
    if (test.SeeThrough(row[x])) {
      ++x;
      continue;
    }
    const bool solid = test.Solid(row[x]);
    const int begin = x;
    while (x < width && !test.SeeThrough(row[x]) && test.Solid(row[x]) == solid) ++x;
    // A row drawn whole is read where it lies.
    const bool inRow = begin == 0 && x == width;
    const auto at = inRow ? OpaqueSpan::kInRow : std::uint32_t(packed.size());
    if (solid && !inRow) {
      const auto* bytes = reinterpret_cast<const unsigned char*>(row + begin);
      packed.insert(packed.end(), bytes, bytes + std::size_t(x - begin) * sizeof(Pixel));
    }
    out.push_back({at, std::uint16_t(begin), std::uint16_t(x), solid});
  }
}

}  // namespace

void cOpaqueSpans::Build(std::size_t row, const void* pixels, int width, int bytesPerPixel) {
  const auto first = std::int32_t(m_spans.size());
  if (bytesPerPixel == 1)
    AppendRuns(m_spans, m_packed, static_cast<const std::uint8_t*>(pixels), width, m_test);
  else
    AppendRuns(m_spans, m_packed, static_cast<const std::uint32_t*>(pixels), width, m_test);
  const auto count = std::int32_t(m_spans.size()) - first;
  m_rows[row] = {first, count, count > 0 ? m_spans[std::size_t(first)] : OpaqueSpan{}};
  ++m_rowsBuilt;
}
