#pragma once
// The words behind a pixel buffer, all zero when allocated.
//
// Large storage is fresh pages from the system, which take no memory until
// a pixel on them is written: a render target that is cleared when it is
// made (graphics/surfaces/pixel_buffer.h puts the clear off) and that no
// frame draws to costs nothing. It starts on a page boundary, so copies
// between two buffers read and write at the same place within a page: left
// to the allocator, some placements make the processor hold every load for
// a store 4 KiB away and copies slow down by a third.

#include <cstddef>
#include <cstdint>

class cPixelStorage {
 public:
  cPixelStorage() = default;
  // `words` zero words; std::bad_alloc where the system has no memory.
  explicit cPixelStorage(std::size_t words);
  cPixelStorage(const cPixelStorage& other);
  cPixelStorage& operator=(const cPixelStorage& other);
  cPixelStorage(cPixelStorage&& other) noexcept;
  cPixelStorage& operator=(cPixelStorage&& other) noexcept;
  ~cPixelStorage();

  std::uint32_t* data() { return m_words; }
  const std::uint32_t* data() const { return m_words; }
  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }

 private:
  std::uint32_t* m_words = nullptr;
  std::size_t m_size = 0;

  void Release();
};
