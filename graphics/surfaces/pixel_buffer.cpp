#include "graphics/surfaces/pixel_buffer.h"

#include <algorithm>
#include <cstring>


cPixelBuffer::cPixelBuffer(const cPixelBuffer& other)
    : m_storage((other.Settle(), other.m_storage)), m_width(other.m_width), m_height(other.m_height),
      m_bytesPerPixel(other.m_bytesPerPixel), m_pitch(other.m_pitch) {}

cPixelBuffer& cPixelBuffer::operator=(const cPixelBuffer& other) {
  if (this == &other) return *this;
  Changing();
  other.Settle();
  m_storage = other.m_storage;
  m_width = other.m_width;
  m_height = other.m_height;
  m_bytesPerPixel = other.m_bytesPerPixel;
  m_pitch = other.m_pitch;
  return *this;
}

bool cPixelBuffer::Allocate(int width, int height, int bytesPerPixel) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
  if (std::int64_t(width) * height > kMaxArea) return false;
  if (bytesPerPixel != 1 && bytesPerPixel != 4) return false;
  const int pitch = bytesPerPixel == 1 ? (width + 3) & ~3 : width;
  const std::size_t words = bytesPerPixel == 1 ? std::size_t(pitch) * height / 4 : std::size_t(pitch) * height;
  m_fillUnwritten = false;
  Changing();
  m_storage = cPixelStorage(words);
  m_width = width;
  m_height = height;
  m_bytesPerPixel = bytesPerPixel;
  m_pitch = pitch;
  // Fresh storage is all zero, as a written Clear(0) leaves it: clearing it
  // to zero writes nothing, and its pages stay unused until drawn on.
  m_filled = true;
  m_fillValue = 0;
  return true;
}

void cPixelBuffer::Free() {
  m_fillUnwritten = false;
  Changing();
  m_storage = cPixelStorage();
  m_width = m_height = m_bytesPerPixel = m_pitch = 0;
}

void cPixelBuffer::Clear(std::uint32_t value) {
  if (m_bytesPerPixel == 1) value &= 0xFF;
  if (m_filled && m_fillValue == value && m_openWriters == 0) return;
  // An earlier Clear still owed is replaced, never written.
  m_fillUnwritten = false;
  Changing();
  m_fillValue = value;
  if (m_openWriters == 0) {
    m_filled = m_fillUnwritten = true;
    return;
  }
  // An open lock may write through the pointer it holds at any time.
  WriteFill();
}

void cPixelBuffer::WriteFill() const {
  m_fillUnwritten = false;
  // Only a buffer that is not itself const is ever cleared.
  auto& storage = const_cast<decltype(m_storage)&>(m_storage);
  if (m_bytesPerPixel == 1)
    std::memset(storage.data(), int(m_fillValue), storage.size() * 4);
  else
    std::fill(storage.data(), storage.data() + storage.size(), m_fillValue);
}

std::optional<std::uint32_t> cPixelBuffer::TakeUnwrittenFill() {
  if (!m_fillUnwritten) return std::nullopt;
  m_fillUnwritten = false;
  Changing();
  return m_fillValue;
}

