#pragma once
// Clear times are kept in hundredths of a second and shown as
// "minutes:seconds.hundredths" with at least two digits of minutes
// (8345 -> "01:23.45"). A negative time is "-" and the text of its size.

#include <cstdint>
#include <string>

void FormatTime(std::string& out, std::int32_t value);
