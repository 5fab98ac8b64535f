#pragma once
// Small text and number helpers used everywhere: printf-style formatting into
// std::string, clamped substrings, numbers as fixed-width text, the game's
// random generator and Shift-JIS character counting. Texts are CP932 bytes.

#include <cstdarg>
#include <string>
#include <string_view>

#define PLAYER_PRINTF(fmt_index, first_arg) __attribute__((format(printf, fmt_index, first_arg)))

// out := the formatted text. The text may be of any length; an argument may
// be out's own text, since the result is built before it is assigned.
void Format(std::string& out, const char* format, ...) PLAYER_PRINTF(2, 3);
// Appends the formatted text to out.
void AppendFormat(std::string& out, const char* format, ...) PLAYER_PRINTF(2, 3);
// The formatted text of a va_list, for other variadic helpers.
std::string FormatV(const char* format, va_list args) PLAYER_PRINTF(1, 0);

// The substring of `count` bytes from `start`, clamped to the source: a start
// past the end or a zero count gives "", a negative start shortens the count.
std::string MidStr(std::string_view source, int start, int count);

// Decimal digits of the value's magnitude (1 for 0).
int GetDigitCount(int value);

// out := the value as text of at least minDigits digits; missing leading
// digits are zeros with zeroFill, else blanks; the sign goes in front of the
// blanks ("-" for negatives, "+" for the others when plusSign is set).
void NumToStr(std::string& out, int value, int minDigits, int zeroFill, int plusSign);

// The game's random generator: the C runtime's LCG (x := x * 214013 + 2531011,
// result bits 16..30), one state per thread, starting from seed 1 like srand(1).
void SeedRand(unsigned int seed);
int Rand();
// A random integer between a and b, both included, in either order.
int GetRand(int a, int b);

// 1 when p[0] is a Shift-JIS lead byte and p[1] a trail byte. p must point
// into a NUL-terminated text (the terminator is never a trail byte).
int IsSjisPair(const char* p);

// Characters of a Shift-JIS text as character cells: a two-byte character or
// any other byte counts one, a line feed counts nothing.
int GetCharCount(std::string_view text);

extern const double g_dSqrt2;
extern const double g_dInvSqrt2;
