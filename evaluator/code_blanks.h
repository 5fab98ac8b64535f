#pragma once
// Blanks separate the words of a code text: space, line feed (multi-line
// texts) and tab. Loaded texts carry no carriage returns.

inline bool IsCodeBlank(char c) { return c == ' ' || c == '\n' || c == '\t'; }
