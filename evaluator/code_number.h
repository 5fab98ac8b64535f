#pragma once
// Numbers in code texts are read the way the C library's atoi reads them:
// leading white space, an optional sign, then digits up to the first other
// character ("12ab" is 12, "abc" is 0). A literal beyond 32 bits saturates
// at the end of the range instead of wrapping.

#include <cstdint>
#include <string_view>

std::int32_t ReadCodeNumber(std::string_view text);
