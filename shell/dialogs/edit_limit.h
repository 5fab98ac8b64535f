#pragma once
// The limit that an edit box bound to a string keeps after every change of
// its text: at most nMaxLines lines of at most nLineChars characters (with
// bDoubleByte a Shift-JIS double-byte character counts as one, otherwise
// bytes count). A line that grows too long is broken after the last
// character that fits and its tail joins the next line; a text that then has
// too many lines is refused as a whole (the previous text comes back) or,
// with bTrim, cut after the last allowed line. Pure logic: the edit control
// reads the box, calls LimitEditChange and writes the result back.

#include <string>
#include <string_view>

struct EditLimits {
  int nMaxLines = 32;
  int nLineChars = 1024;
  int bDoubleByte = 0;
  int bTrim = 0;
};

struct EditState {
  std::string text;  // CP932
  int selStart = 0;
  int selEnd = 0;
};

// current: the box's text and selection as read after the change; previous:
// its text before; backspaceHeld: the change came from Backspace.
EditState LimitEditChange(const EditLimits& limits, std::string_view previous, EditState current,
                          bool backspaceHeld);

// Length of a line as the limit counts it.
int EditLineLength(std::string_view line, bool doubleByte);

// The first `maxBytes` bytes of the text, cut before a double-byte character
// that would be split.
std::string CutToBytes(std::string_view text, std::size_t maxBytes);
