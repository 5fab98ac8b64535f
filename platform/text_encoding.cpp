#include "platform/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace platform {
namespace {

// "CP932", not "SHIFT_JIS": the two differ on 0x5C, 0x815F and 0x8160, and the
// data was written by a program that used code page 932.
constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";

// One conversion between two encodings; the iconv handle is not thread-safe,
// so each direction keeps its own handle behind its own lock.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts the whole input. With a replacement, an unconvertible input byte
  // is skipped and the replacement written in its place; without one the
  // conversion fails.
  std::optional<std::string> Run(std::string_view input, std::string_view replacement) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::lock_guard lock(mutex_);
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string output;
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
      char* out = buffer;
      size_t outLeft = sizeof buffer;
      size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
      output.append(buffer, static_cast<size_t>(out - buffer));
      if (result != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      if (replacement.empty()) return std::nullopt;
      // EILSEQ or EINVAL (a lead byte cut off at the end): skip one byte.
      output.append(replacement);
      ++in;
      --inLeft;
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
    return output;
  }

 private:
  iconv_t handle_;
  std::mutex mutex_;
};

Converter& ToUtf8() {
  static Converter converter(kUtf8, kCp932);
  return converter;
}

Converter& ToCp932() {
  static Converter converter(kCp932, kUtf8);
  return converter;
}

}  // namespace

std::optional<std::string> TryUtf8FromCp932(std::string_view cp932) { return ToUtf8().Run(cp932, {}); }

std::optional<std::string> TryCp932FromUtf8(std::string_view utf8) { return ToCp932().Run(utf8, {}); }

std::string Utf8FromCp932(std::string_view cp932) { return ToUtf8().Run(cp932, "\xEF\xBF\xBD").value_or(std::string()); }

std::string Cp932FromUtf8(std::string_view utf8) { return ToCp932().Run(utf8, "?").value_or(std::string()); }

}  // namespace platform
