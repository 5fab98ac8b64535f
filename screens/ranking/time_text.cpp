#include "screens/ranking/time_text.h"

#include "foundation/text_format.h"

void FormatTime(std::string& out, std::int32_t value) {
  // The size in 64 bits, so that the most negative int has one too.
  const long long size = value < 0 ? -static_cast<long long>(value) : value;
  Format(out, "%s%02lld:%02lld.%02lld", value < 0 ? "-" : "", size / 6000, size / 100 % 60, size % 100);
}
