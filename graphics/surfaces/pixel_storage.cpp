#include "graphics/surfaces/pixel_storage.h"

#include <sys/mman.h>

#include <cstring>
#include <new>
#include <utility>

namespace {

// Below this a buffer comes from the allocator, already zeroed by hand.
constexpr std::size_t kPagesFrom = 64 * 1024;

bool FromPages(std::size_t bytes) { return bytes >= kPagesFrom; }

std::uint32_t* AllocateZeroWords(std::size_t words) {
  const std::size_t bytes = words * sizeof(std::uint32_t);
  if (!FromPages(bytes)) return static_cast<std::uint32_t*>(std::memset(::operator new(bytes), 0, bytes));
  void* pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pages == MAP_FAILED) throw std::bad_alloc();
  return static_cast<std::uint32_t*>(pages);
}

}  // namespace

cPixelStorage::cPixelStorage(std::size_t words) : m_words(words ? AllocateZeroWords(words) : nullptr), m_size(words) {}

cPixelStorage::cPixelStorage(const cPixelStorage& other) : cPixelStorage(other.m_size) {
  if (m_size) std::memcpy(m_words, other.m_words, m_size * sizeof(std::uint32_t));
}

cPixelStorage& cPixelStorage::operator=(const cPixelStorage& other) {
  if (this != &other) *this = cPixelStorage(other);
  return *this;
}

cPixelStorage::cPixelStorage(cPixelStorage&& other) noexcept
    : m_words(std::exchange(other.m_words, nullptr)), m_size(std::exchange(other.m_size, 0)) {}

cPixelStorage& cPixelStorage::operator=(cPixelStorage&& other) noexcept {
  if (this != &other) {
    Release();
    m_words = std::exchange(other.m_words, nullptr);
    m_size = std::exchange(other.m_size, 0);
  }
  return *this;
}

cPixelStorage::~cPixelStorage() { Release(); }

void cPixelStorage::Release() {
  if (!m_words) return;
  const std::size_t bytes = m_size * sizeof(std::uint32_t);
  if (FromPages(bytes))
    munmap(m_words, bytes);
  else
    ::operator delete(m_words);
  m_words = nullptr;
  m_size = 0;
}
