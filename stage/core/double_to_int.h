#pragma once
// The one way a simulation double becomes an int. Replays must repeat bit for
// bit on every machine, and C++ leaves the conversion of NaN or an
// out-of-range double undefined; the games were made on a processor whose
// truncating conversion gives INT_MIN for both, so that is what every
// conversion here gives.

#include <cstdint>
#include <limits>

inline std::int32_t TruncToInt(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}
