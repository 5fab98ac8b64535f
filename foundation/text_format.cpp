#include "foundation/text_format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "foundation/sjis.h"

const double g_dSqrt2 = std::sqrt(2.0);
const double g_dInvSqrt2 = 1.0 / g_dSqrt2;

std::string FormatV(const char* format, va_list args) {
  va_list measure;
  va_copy(measure, args);
  char small[512];
  int length = std::vsnprintf(small, sizeof small, format, measure);
  va_end(measure);
  if (length < 0) return std::string();
  if (static_cast<std::size_t>(length) < sizeof small)
    return std::string(small, static_cast<std::size_t>(length));
  std::string text(static_cast<std::size_t>(length), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  return text;
}

void Format(std::string& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  out = std::move(text);
}

void AppendFormat(std::string& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  out += text;
}

std::string MidStr(std::string_view source, int start, int count) {
  const auto length = static_cast<std::int64_t>(source.size());
  std::int64_t from = start;
  std::int64_t take = count;
  if (from > length) return std::string();
  if (from < 0) {
    take += from;
    from = 0;
  }
  if (take <= 0) return std::string();
  if (from + take > length) take = length - from;
  return std::string(source.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(take)));
}

int GetDigitCount(int value) {
  int digits = 1;
  for (int i = 0; i < 10; ++i) {
    value /= 10;
    if (value == 0) break;
    ++digits;
  }
  return digits;
}

void NumToStr(std::string& out, int value, int minDigits, int zeroFill, int plusSign) {
  int width = GetDigitCount(value);
  if (minDigits != 0 && minDigits >= width) width = minDigits;
  // In 64 bits so that the magnitude of INT_MIN is representable.
  std::int64_t magnitude = value < 0 ? -static_cast<std::int64_t>(value) : value;
  std::string digits(static_cast<std::size_t>(width), '0');
  for (int i = width - 1; i >= 0; --i) {
    digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  if (!zeroFill) {
    for (std::size_t i = 0; i + 1 < digits.size() && digits[i] == '0'; ++i) digits[i] = ' ';
  }
  if (value < 0)
    digits.insert(digits.begin(), '-');
  else if (plusSign)
    digits.insert(digits.begin(), '+');
  out = std::move(digits);
}

namespace {
thread_local std::uint32_t t_randState = 1;
}

void SeedRand(unsigned int seed) { t_randState = seed; }

int Rand() {
  t_randState = t_randState * 214013u + 2531011u;
  return static_cast<int>((t_randState >> 16) & 0x7FFF);
}

int GetRand(int a, int b) {
  const std::int64_t lo = a < b ? a : b;
  const std::int64_t hi = a < b ? b : a;
  return static_cast<int>(Rand() % (hi - lo + 1) + lo);
}

int IsSjisPair(const char* p) {
  return sjis::IsLeadByte(static_cast<unsigned char>(p[0])) &&
         sjis::IsTrailByte(static_cast<unsigned char>(p[1]));
}

int GetCharCount(std::string_view text) {
  int count = 0;
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    if (length == 2 || text[pos] != '\n') ++count;
  });
  return count;
}
