#include "shell/dialogs/edit_limit.h"

#include <algorithm>

#include "foundation/sjis.h"
#include "foundation/text_format.h"

namespace {

// A line that will not shrink below the limit within this many drops is kept.
constexpr int kMaxDrops = 999999;

int CountLineFeeds(std::string_view text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

int CountLines(std::string_view text) { return text.empty() ? 0 : CountLineFeeds(text) + 1; }

// Bytes of the line that stay when it is limited to `limit`.
std::size_t KeptLength(std::string_view line, const EditLimits& limits) {
  std::string_view copy = line;
  for (int drops = 0; drops < kMaxDrops && !copy.empty(); ++drops) {
    if (EditLineLength(copy, limits.bDoubleByte != 0) <= limits.nLineChars) break;
    copy.remove_suffix(1);
  }
  return copy.size();
}

// Where the line that starts at `start` ends (its "\r", or the text's end),
// and where the next line starts.
std::size_t LineEnd(const std::string& text, std::size_t start) {
  const std::size_t end = text.find('\r', start);
  return end == std::string::npos ? text.size() : end;
}

std::size_t NextLineStart(const std::string& text, std::size_t end) {
  if (end >= text.size()) return text.size();
  return end + (end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
}

// Breaks over-long lines among the first nMaxLines: the tail of each joins
// the next line.
void LimitLines(const EditLimits& limits, EditState& state) {
  std::string& text = state.text;
  std::size_t start = 0;
  for (int line = 0; line < limits.nMaxLines && start < text.size(); ++line) {
    const std::size_t end = LineEnd(text, start);
    const std::string_view content(text.data() + start, end - start);
    if (EditLineLength(content, limits.bDoubleByte != 0) > limits.nLineChars) {
      const std::size_t cut = start + KeptLength(content, limits);
      text.insert(cut, "\r\n");
      for (int* selection : {&state.selStart, &state.selEnd}) {
        if (*selection >= static_cast<int>(cut)) *selection += 2;
      }
      const std::size_t oldEnd = end + 2;
      if (text.compare(oldEnd, 2, "\r\n") == 0) text.erase(oldEnd, 2);
      start = cut + 2;
      continue;
    }
    start = NextLineStart(text, end);
  }
}

// With bTrim: the text ends with the last allowed line, limited again.
void TrimLines(const EditLimits& limits, EditState& state) {
  std::size_t pos = 0;
  for (int line = 1; line < limits.nMaxLines; ++line) pos = state.text.find('\n', pos) + 1;
  std::size_t end = state.text.find('\n', pos);
  if (end != std::string::npos && end > pos && state.text[end - 1] == '\r') --end;
  state.text.resize(end == std::string::npos ? state.text.size() : end);
  const std::string_view last(state.text.data() + pos, state.text.size() - pos);
  state.text.resize(pos + KeptLength(last, limits));
}

// Backspace that removed a line break: refused when the line before the
// caret could not take the next line's characters.
bool JoinWouldOverflow(const EditLimits& limits, std::string_view previous, const EditState& current) {
  const std::string_view before = previous.substr(0, std::min<std::size_t>(current.selStart, previous.size()));
  const std::size_t lineFeed = before.rfind('\n');
  const std::string_view line = lineFeed == std::string_view::npos ? before : before.substr(lineFeed);
  return EditLineLength(line, limits.bDoubleByte != 0) >= limits.nLineChars;
}

bool RemovedLineBreak(std::string_view previous, const EditState& current) {
  return current.selStart == current.selEnd && current.text.size() + 2 == previous.size() &&
         CountLineFeeds(current.text) < CountLineFeeds(previous);
}

void SettleSelection(EditState& state) {
  const int size = static_cast<int>(state.text.size());
  for (int* end : {&state.selStart, &state.selEnd}) {
    if (*end > 0 && *end < size && state.text[*end] == '\n' && state.text[*end - 1] == '\r') ++*end;
    *end = std::clamp(*end, 0, size);
  }
}

}  // namespace

int EditLineLength(std::string_view line, bool doubleByte) {
  return doubleByte ? GetCharCount(line) : static_cast<int>(line.size());
}

std::string CutToBytes(std::string_view text, std::size_t maxBytes) {
  std::size_t kept = 0;
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    if (pos == kept && pos + length <= maxBytes) kept = pos + length;
  });
  return std::string(text.substr(0, kept));
}

EditState LimitEditChange(const EditLimits& limits, std::string_view previous, EditState current,
                          bool backspaceHeld) {
  if (limits.nMaxLines < 1 && limits.nLineChars < 1) return current;
  if (backspaceHeld && RemovedLineBreak(previous, current) && JoinWouldOverflow(limits, previous, current)) {
    current.text = std::string(previous);
    return current;
  }
  const EditState read = current;
  LimitLines(limits, current);
  if (CountLines(current.text) > limits.nMaxLines) {
    if (limits.bTrim) {
      TrimLines(limits, current);
    } else {
      // Refused: the previous text with the selection as it was read.
      current = {std::string(previous), read.selStart, read.selEnd};
    }
  }
  SettleSelection(current);
  return current;
}
