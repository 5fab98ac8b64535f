#pragma once
// A font file mapped into memory once, however many faces are opened from
// it. Left to FreeType, every face maps the file anew and the pages that
// each one reads (its character map, metrics and glyphs) are resident once
// per face.

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

class FontFile {
 public:
  // The mapping of `path`, shared with every face that holds it; nullptr
  // where the file cannot be opened or is empty.
  static std::shared_ptr<const FontFile> Map(const std::string& path);
  ~FontFile();
  FontFile(const FontFile&) = delete;
  FontFile& operator=(const FontFile&) = delete;

  const unsigned char* Data() const { return m_data; }
  std::size_t Size() const { return m_size; }

 private:
  FontFile(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}
  const unsigned char* m_data;
  std::size_t m_size;
};

}  // namespace platform
