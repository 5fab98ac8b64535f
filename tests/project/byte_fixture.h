#pragma once
// Hand-written data-file images for the project-data tests: little-endian
// numbers and length-prefixed strings appended in the order a test spells out.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

class ByteFixture {
 public:
  ByteFixture& U8(std::uint8_t value) {
    bytes_.push_back(value);
    return *this;
  }
  ByteFixture& U16(std::uint16_t value) { return Little(value, 2); }
  ByteFixture& I32(std::int32_t value) { return Little(static_cast<std::uint32_t>(value), 4); }
  // A stored string: u32 length + 1, then the text and its NUL (nothing more
  // for an empty text).
  ByteFixture& Str(std::string_view text) {
    I32(static_cast<std::int32_t>(text.size() + 1));
    if (!text.empty()) {
      bytes_.insert(bytes_.end(), text.begin(), text.end());
      bytes_.push_back(0);
    }
    return *this;
  }
  ByteFixture& Append(const ByteFixture& other) {
    bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
    return *this;
  }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

  void WriteTo(const std::filesystem::path& path) const {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
  }

 private:
  ByteFixture& Little(std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    return *this;
  }

  std::vector<std::uint8_t> bytes_;
};

inline std::vector<std::uint8_t> ReadAllBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
