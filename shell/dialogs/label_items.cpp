#include "shell/dialogs/label_items.h"

#include "foundation/sjis.h"
#include "shell/dialogs/dialog_font.h"

namespace {

// Breaks the text into lines that fit the width (at characters; "\n" too).
template <typename Line>
void WrapLines(std::string_view text, int width, Line&& line) {
  const DialogFont& font = DialogFont::Get();
  std::size_t start = 0;
  int used = 0;
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    if (text[pos] == '\n') {
      line(text.substr(start, pos - start));
      start = pos + 1;
      used = 0;
      return;
    }
    const int advance = font.CharWidth(text.substr(pos, length));
    if (used + advance > width && pos > start) {
      line(text.substr(start, pos - start));
      start = pos;
      used = 0;
    }
    used += advance;
  });
  line(text.substr(start));
}

}  // namespace

void StaticItem::Draw(DialogCanvas& canvas, bool) const {
  const DialogRect& r = Rect();
  const std::uint32_t color = Enabled() ? dialog_colors::kText : dialog_colors::kGrayText;
  // A one-line text runs on to the dialog's edge rather than wrap out of
  // sight (our font runs a little wider than the layouts' one).
  if (r.h < 2 * DialogFont::Get().LineHeight() && Text().find('\n') == std::string::npos) {
    canvas.SetClip({r.x, r.y, canvas.Width() - r.x, r.h});
    canvas.Text(r.x, r.y, Text(), color);
    canvas.ResetClip();
    return;
  }
  canvas.SetClip(r);
  int y = r.y;
  WrapLines(Text(), r.w, [&](std::string_view line) {
    canvas.Text(r.x, y, line, color);
    y += DialogFont::Get().LineHeight();
  });
  canvas.ResetClip();
}

void GroupBoxItem::Draw(DialogCanvas& canvas, bool) const {
  const DialogRect& r = Rect();
  const int top = r.y + DialogFont::Get().LineHeight() / 2;
  const DialogRect frame{r.x, top, r.w, r.h - (top - r.y)};
  canvas.Outline(frame, dialog_colors::kShadow);
  canvas.Outline({frame.x + 1, frame.y + 1, frame.w - 2, frame.h - 2}, dialog_colors::kLight);
  const int titleWidth = DialogFont::Get().TextWidth(Text());
  if (titleWidth == 0) return;
  canvas.Fill({r.x + 6, r.y, titleWidth + 4, DialogFont::Get().LineHeight()}, dialog_colors::kFace);
  canvas.Text(r.x + 8, r.y, Text(), dialog_colors::kText);
}
