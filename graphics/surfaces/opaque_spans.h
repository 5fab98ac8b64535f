#pragma once
// The runs of drawn pixels in each row of a keyed source.
//
// A keyed blit copies a sprite's opaque pixels and leaves its see-through
// ones. Testing every pixel against the key on every blit costs as much as
// the copy itself; a sprite sheet, though, seldom changes once loaded. So a
// pixel buffer keeps, per row, where its runs of drawn pixels lie: a blit
// then copies whole runs and jumps over the see-through gaps. The pixels of
// solid runs in rows with gaps are also kept one after another, as a
// run-length encoder lays them out: a copy then reads one unbroken stream,
// which the processor fetches ahead better than rows with gaps (a tenth
// less time for a full-screen layer). A row drawn whole is read where it
// lies, in one stream with such rows around it, and costs no memory. The
// runs depend only on the pixels and the see-through test, so the cache is
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
// (Rows are at most 16384 pixels wide.) A solid run's pixels are kept from
// byte `packed` of the cache's packed pixels on, or in the row itself when
// `packed` is kInRow.
struct OpaqueSpan {
  static constexpr std::uint32_t kInRow = ~std::uint32_t(0);

  std::uint32_t packed;
  std::uint16_t begin;
  std::uint16_t end;
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
    if (!m_stale && test == m_test && m_rows.size() == std::size_t(height)) return true;
    Reset(test, height);
    return false;
  }
  // Whether the cache serves `test` as it stands (a blit has readied it
  // since the last change), without readying it.
  bool Readied(const SeeThroughTest& test, int height) const {
    return !m_stale && test == m_test && m_rows.size() == std::size_t(height);
  }
  // Rows [y0, y1) built at once, for a blit that reads them all.
  struct RowRuns {
    std::int32_t first;  // index of the row's first run, -1 before the row is built
    std::int32_t count;
    OpaqueSpan head;     // a copy of the first run, read without a second look-up
  };
  struct RowsView {
    const RowRuns* rows;
    const OpaqueSpan* spans;
    const unsigned char* packed;
    const unsigned char* pixels;
    std::size_t pitchBytes;
    std::span<const OpaqueSpan> Row(int y) const {
      const RowRuns row = rows[y];
      return {spans + row.first, std::size_t(row.count)};
    }
    // f(run) for each run of row y in order.
    template <typename F>
    void ForEach(int y, F f) const {
      const RowRuns row = rows[y];
      if (row.count == 0) return;
      f(row.head);
      const OpaqueSpan* const end = spans + row.first + row.count;
      for (const OpaqueSpan* run = spans + row.first + 1; run < end; ++run) f(*run);
    }
    // The bytes of the pixels of a solid run of row y, from source column
    // `from` (inside the run) on, for copies.
    template <typename Pixel>
    const void* Pixels(int y, const OpaqueSpan& run, int from) const {
      if (run.packed == OpaqueSpan::kInRow)
        return pixels + std::size_t(y) * pitchBytes + std::size_t(from) * sizeof(Pixel);
      return packed + run.packed + std::size_t(from - run.begin) * sizeof(Pixel);
    }
  };
  RowsView Rows(int y0, int y1, const void* pixels, int pitchBytes, int width, int bytesPerPixel) {
    if (m_rowsBuilt < m_rows.size())
      for (int y = y0; y < y1; ++y)
        if (m_rows[std::size_t(y)].first < 0)
          Build(std::size_t(y), static_cast<const unsigned char*>(pixels) + std::size_t(y) * pitchBytes, width,
                bytesPerPixel);
    return {m_rows.data(), m_spans.data(), m_packed.data(), static_cast<const unsigned char*>(pixels),
            std::size_t(pitchBytes)};
  }

 private:
  void Reset(const SeeThroughTest& test, int height);
  void Build(std::size_t row, const void* pixels, int width, int bytesPerPixel);

  bool m_stale = true;
  std::size_t m_rowsBuilt = 0;
  SeeThroughTest m_test;
  std::vector<RowRuns> m_rows;
  std::vector<OpaqueSpan> m_spans;
  std::vector<unsigned char> m_packed;
};
