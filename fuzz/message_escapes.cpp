// Expands arbitrary message texts against a small set of variables. Whatever
// the text (escapes cut off, long digit runs, stray lead bytes), expansion
// must end, never read a variable outside 1..1000, and keep every byte that
// is not part of an expanded escape.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "stage/show/message_escapes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::size_t reads = 0;
  const EscapeVariables variables = [&](int source, int number) -> std::optional<std::int32_t> {
    if (number < 1 || number > 1000 || (source != kEscapeCommon && source != kEscapeStage)) std::abort();
    ++reads;
    if (number % 3 == 0) return std::nullopt;  // a variable the lists do not hold
    return static_cast<std::int32_t>(number * 2654435761u);
  };
  const std::string shown = ExpandMessageEscapes(text, variables);
  // An escape is at least 3 bytes and becomes at most 12.
  if (shown.size() > text.size() + reads * 12) std::abort();
  if (reads == 0 && shown != text) std::abort();
  return 0;
}
