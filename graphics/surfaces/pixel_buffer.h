#pragma once
// A CPU pixel buffer: the storage behind every surface of the renderer.
//
// Two layouts exist, chosen when the buffer is allocated:
//   1 byte a pixel  - a palette number 0..255 (8-bit DirectDraw mode);
//   4 bytes a pixel - one uint32_t 0xAARRGGBB in native byte order, so
//                     byte 0 is blue, byte 1 green, byte 2 red, byte 3 alpha.
// Rows are `pitch` pixels apart (pitch >= width; rows of 8-bit buffers are
// padded to a multiple of four bytes). Row 0 is the top row.
//
// Every writable access (the non-const Row8, Row32 and Bits) drops the
// buffer's cache of opaque runs (graphics/surfaces/opaque_spans.h) and what
// it knows of a value filling it; read through a const buffer where nothing
// is written. A copy starts without either.
//
// A Clear made with no writer open is written when the pixels are next
// accessed, read or written, so a fill that is replaced before anything
// looks at it (a colour surface refilled every frame, a render target
// cleared when it is made) costs nothing; TakeUnwrittenFill lets a caller
// that writes every pixel anyway have it dropped.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "graphics/surfaces/opaque_spans.h"
#include "graphics/surfaces/pixel_storage.h"

class cPixelBuffer {
 public:
  // Largest side and area accepted, so that damaged sizes from files or
  // callers can never ask for gigabytes.
  static constexpr int kMaxSide = 16384;
  static constexpr std::int64_t kMaxArea = 16LL * 1024 * 1024;

  cPixelBuffer() = default;
  cPixelBuffer(const cPixelBuffer& other);
  cPixelBuffer& operator=(const cPixelBuffer& other);
  cPixelBuffer(cPixelBuffer&&) = default;
  cPixelBuffer& operator=(cPixelBuffer&&) = default;

  // Allocates width x height pixels of 1 or 4 bytes, all zero. False (and
  // nothing allocated) for sizes below 1, above the limits, or other depths.
  bool Allocate(int width, int height, int bytesPerPixel);
  void Free();

  bool Empty() const { return m_storage.empty(); }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int BytesPerPixel() const { return m_bytesPerPixel; }
  int Pitch() const { return m_pitch; }  // in pixels

  std::uint8_t* Row8(int y) {
    Changing();
    return reinterpret_cast<std::uint8_t*>(m_storage.data()) + std::size_t(y) * m_pitch;
  }
  const std::uint8_t* Row8(int y) const {
    Settle();
    return reinterpret_cast<const std::uint8_t*>(m_storage.data()) + std::size_t(y) * m_pitch;
  }
  std::uint32_t* Row32(int y) {
    Changing();
    return m_storage.data() + std::size_t(y) * m_pitch;
  }
  const std::uint32_t* Row32(int y) const {
    Settle();
    return m_storage.data() + std::size_t(y) * m_pitch;
  }
  void* Bits() {
    Changing();
    return m_storage.data();
  }
  const void* Bits() const {
    Settle();
    return m_storage.data();
  }

  // A lock that may write through Bits() is open while the count is above
  // zero; the runs cache is neither used nor built meanwhile.
  void OpenWriter() { ++m_openWriters; }
  void CloseWriter() { --m_openWriters; }
  // Readies the runs cache for one keyed blit (see cOpaqueSpans::Ready).
  bool OpaqueSpansReady(const SeeThroughTest& test) const {
    return m_spans.Ready(test, m_height, m_openWriters > 0);
  }
  // Whether a keyed blit readied the runs cache for `test` and nothing
  // changed since: a look that, unlike OpaqueSpansReady, never resets it.
  bool OpaqueSpansReadied(const SeeThroughTest& test) const {
    return m_openWriters == 0 && m_spans.Readied(test, m_height);
  }
  // The runs of drawn pixels of rows [y0, y1); only after OpaqueSpansReady
  // or OpaqueSpansReadied gave true, and valid until the next change of the buffer.
  cOpaqueSpans::RowsView OpaqueSpans(int y0, int y1) const {
    return m_spans.Rows(y0, y1, Bits(), m_pitch * m_bytesPerPixel, m_width, m_bytesPerPixel);
  }

  // Every pixel set to `value` (the low byte of it in 8-bit buffers). A
  // buffer that a Clear with the same value left filled, unwritten since,
  // is not written again (a colour surface refilled every frame).
  void Clear(std::uint32_t value);
  // The value of a Clear not yet written, which is dropped: the caller then
  // writes every pixel before anything reads one, as if over that value.
  // Nothing where no Clear waits.
  std::optional<std::uint32_t> TakeUnwrittenFill();

 private:
  cPixelStorage m_storage;
  int m_width = 0;
  int m_height = 0;
  int m_bytesPerPixel = 0;
  int m_pitch = 0;
  int m_openWriters = 0;
  mutable cOpaqueSpans m_spans;
  // Set by a Clear made with no writer open, until the next writable access.
  bool m_filled = false;
  std::uint32_t m_fillValue = 0;
  // That Clear's value is not written to the pixels yet.
  mutable bool m_fillUnwritten = false;

  // Writes a Clear still owed before the pixels are accessed. Reading a
  // const buffer may do so: the pixels it gives are those the Clear left.
  void Settle() const {
    if (m_fillUnwritten) WriteFill();
  }
  void WriteFill() const;
  // The pixels may change from here on.
  void Changing() {
    Settle();
    m_spans.Drop();
    m_filled = false;
  }
};

