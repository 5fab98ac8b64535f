#pragma once
// The runs of drawn pixels in each row of a keyed source.
//
// A keyed blit copies a sprite's opaque pixels and leaves its see-through
// ones. Testing every pixel against the key on every blit costs as much as
// the copy itself; a sprite sheet, though, seldom changes once loaded. So a
// pixel buffer keeps, per row, where its runs of drawn pixels lie: a blit
// then copies whole runs and jumps over the see-through gaps. The runs
// depend only on the pixels and the see-through test, so the cache is
// dropped whenever the pixels may change (any writable access to the
// buffer, a lock, a copy or a restore) and rebuilt for a new test (another
// colour key). Being built is left to the second blit after a change, so a
// surface that is redrawn between every blit never pays for it; rows are
// built on first use, so a blit of one cell of a large sheet scans only the
// rows it reads.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Which pixels a keyed blit leaves out: those whose masked bits equal the
// value. Among the drawn ones, the solid pixels (all solid bits set: every
// pixel for a colour key, alpha 255 for see-through texels) replace the
// destination; the others blend with it.
struct SeeThroughTest {
  std::uint32_t mask = 0;
  std::uint32_t value = 1;
  std::uint32_t solidMask = 0;

  bool SeeThrough(std::uint32_t p) const { return (p & mask) == value; }
  bool Solid(std::uint32_t p) const { return (p & solidMask) == solidMask; }
  bool operator==(const SeeThroughTest&) const = default;
};

// A run [begin, end) of drawn pixels, solid throughout or not at all.
struct OpaqueSpan {
  std::int32_t begin;
  std::int32_t end;
  bool solid;
};

class cOpaqueSpans {
 public:
  // The pixels may change: forget every row.
  void Drop() { m_stale = true; }
  // Readies the cache for one blit of a buffer `height` rows high; false
  // when this blit must test pixels itself (the first blit after a change
  // or with another test; a writer holding the buffer open).
  bool Ready(const SeeThroughTest& test, int height, bool writerOpen) {
    if (writerOpen) {
      // What the writer changes shows only after it closes.
      m_stale = true;
      return false;
    }
    if (!m_stale && test == m_test && m_first.size() == std::size_t(height)) return true;
    Reset(test, height);
    return false;
  }
  // Rows [y0, y1) built at once, for a blit that reads them all.
  struct RowsView {
    const std::int32_t* first;
    const std::int32_t* count;
    const OpaqueSpan* spans;
    std::span<const OpaqueSpan> Row(int y) const { return {spans + first[y], std::size_t(count[y])}; }
  };
  RowsView Rows(int y0, int y1, const void* pixels, int pitchBytes, int width, int bytesPerPixel) {
    if (m_rowsBuilt < m_first.size())
      for (int y = y0; y < y1; ++y)
        if (m_first[std::size_t(y)] < 0)
          Build(std::size_t(y), static_cast<const unsigned char*>(pixels) + std::size_t(y) * pitchBytes, width,
                bytesPerPixel);
    return {m_first.data(), m_count.data(), m_spans.data()};
  }

 private:
  void Reset(const SeeThroughTest& test, int height);
  void Build(std::size_t row, const void* pixels, int width, int bytesPerPixel);

  bool m_stale = true;
  std::size_t m_rowsBuilt = 0;
  SeeThroughTest m_test;
  std::vector<std::int32_t> m_first;  // index of the row's first run, -1 before it is built
  std::vector<std::int32_t> m_count;
  std::vector<OpaqueSpan> m_spans;
};
