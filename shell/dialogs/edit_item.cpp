#include "shell/dialogs/edit_item.h"

#include <algorithm>

#include "foundation/sjis.h"
#include "platform/text_encoding.h"
#include "shell/dialogs/dialog_font.h"

namespace {

constexpr int kBorder = 2;
constexpr int kPadding = 2;

// The first `characters` characters of UTF-8 text.
std::string_view Utf8Prefix(std::string_view utf8, int characters) {
  std::size_t pos = 0;
  for (int i = 0; i < characters && pos < utf8.size(); ++i) {
    ++pos;
    while (pos < utf8.size() && (static_cast<unsigned char>(utf8[pos]) & 0xC0) == 0x80) ++pos;
  }
  return utf8.substr(0, pos);
}

int PrefixWidth(std::string_view text, int bytes) {
  return DialogFont::Get().TextWidth(text.substr(0, std::min<std::size_t>(bytes, text.size())));
}

}  // namespace

DialogRect EditItem::TextArea() const { return Rect().Inset(kBorder + 1); }

void EditItem::SetText(ItemHost& host, std::string cp932) {
  m_edit.SetText(std::move(cp932));
  m_scroll = 0;
  host.Notify(Id(), EN_UPDATE);
}

void EditItem::Changed(ItemHost& host) {
  KeepCaretVisible();
  host.Notify(Id(), EN_UPDATE);
}

void EditItem::KeepCaretVisible() {
  // The text being composed shows at the caret and stays in view with it.
  const int composed = DialogFont::Get().TextWidth(platform::Cp932FromUtf8(m_edit.Composition()));
  const int caretX = PrefixWidth(m_edit.Text(), m_edit.Caret()) + composed;
  const int width = TextArea().w - 2 * kPadding;
  if (caretX - m_scroll > width) m_scroll = caretX - width;
  if (caretX < m_scroll) m_scroll = caretX;
  m_scroll = std::max(0, m_scroll);
}

void EditItem::Draw(DialogCanvas& canvas, bool focused) const {
  using namespace dialog_colors;
  const DialogRect& r = Rect();
  canvas.SunkenEdge(r);
  canvas.Fill(r.Inset(kBorder), Enabled() ? kWindow : kFace);
  const DialogRect area = TextArea();
  const DialogFont& font = DialogFont::Get();
  const int textY = area.y + (area.h - font.LineHeight()) / 2;
  const int left = area.x + kPadding - m_scroll;
  const std::string& text = m_edit.Text();
  canvas.SetClip(area);
  if (focused && m_edit.HasSelection()) {
    const int x0 = left + PrefixWidth(text, m_edit.SelStart()), x1 = left + PrefixWidth(text, m_edit.SelEnd());
    canvas.Fill({x0, textY, x1 - x0, font.LineHeight()}, kHighlight);
  }
  // The text in up to three runs: before, inside and after the selection.
  int x = left;
  const int selStart = focused ? m_edit.SelStart() : 0, selEnd = focused ? m_edit.SelEnd() : 0;
  const int caret = m_edit.Caret();
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    const bool selected = static_cast<int>(pos) >= selStart && static_cast<int>(pos) < selEnd;
    if (static_cast<int>(pos) == caret && m_edit.Composing()) x += font.TextWidth(platform::Cp932FromUtf8(m_edit.Composition()));
    x += canvas.Text(x, textY, std::string_view(text).substr(pos, length), selected ? kHighlightText : kText);
  });
  if (focused) {
    const int caretX = left + PrefixWidth(text, caret);
    if (m_edit.Composing()) {
      const std::string composed = platform::Cp932FromUtf8(m_edit.Composition());
      const int width = canvas.Text(caretX, textY, composed, kComposition);
      canvas.HLine(caretX, textY + font.LineHeight() - 1, width, kComposition);
      // The input method's own caret inside the composition.
      const std::string beforeCursor = platform::Cp932FromUtf8(Utf8Prefix(m_edit.Composition(), m_edit.CompositionCursor()));
      canvas.VLine(caretX + font.TextWidth(beforeCursor), textY, font.LineHeight(), kText);
    } else {
      canvas.VLine(caretX, textY, font.LineHeight(), kText);
    }
  }
  canvas.ResetClip();
}

bool EditItem::OnKeyDown(ItemHost& host, const platform::UiEvent& event) {
  using namespace platform;
  if (m_edit.Composing()) return true;  // the input method has the keys
  switch (event.key) {
    case kVkLeft:
    case kVkRight:
      m_edit.MoveCaret(event.key == kVkLeft ? -1 : 1, event.shift);
      KeepCaretVisible();
      return true;
    case kVkHome:
    case kVkEnd:
      m_edit.MoveToEdge(event.key == kVkEnd, event.shift);
      KeepCaretVisible();
      return true;
    case kVkBack:
      if (m_edit.Backspace()) Changed(host);
      return true;
    case kVkDelete:
      if (event.shift ? m_edit.Cut() : m_edit.DeleteForward()) Changed(host);
      return true;
    case kVkInsert:
      if (event.ctrl) m_edit.Copy();
      if (event.shift && m_edit.Paste()) Changed(host);
      return true;
    default:
      break;
  }
  if (!event.ctrl) return false;
  switch (event.key) {
    case 'A':
      m_edit.SelectAll();
      return true;
    case 'C':
      m_edit.Copy();
      return true;
    case 'X':
      if (m_edit.Cut()) Changed(host);
      return true;
    case 'V':
      if (m_edit.Paste()) Changed(host);
      return true;
    default:
      return false;
  }
}

void EditItem::OnText(ItemHost& host, std::string_view utf8) {
  if (m_edit.InsertUtf8(utf8)) Changed(host);
}

void EditItem::OnComposition(ItemHost&, std::string utf8, int cursor) {
  m_edit.SetComposition(std::move(utf8), cursor);
  KeepCaretVisible();
}

int EditItem::PositionAt(int x) const {
  const std::string& text = m_edit.Text();
  int pen = TextArea().x + kPadding - m_scroll;
  int position = static_cast<int>(text.size());
  bool found = false;
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    if (found) return;
    const int width = DialogFont::Get().CharWidth(std::string_view(text).substr(pos, length));
    if (x < pen + width / 2) {
      position = static_cast<int>(pos);
      found = true;
    }
    pen += width;
  });
  return position;
}

void EditItem::OnMouseDown(ItemHost&, int x, int, bool doubleClick) {
  if (doubleClick) {
    m_edit.SelectAll();
    return;
  }
  const int position = PositionAt(x);
  m_edit.SetSelection(position, position);
  m_dragging = true;
}

void EditItem::OnMouseDrag(ItemHost&, int x, int) {
  if (!m_dragging) return;
  m_edit.SetSelection(m_edit.Anchor(), PositionAt(x));
  KeepCaretVisible();
}

void EditItem::OnFocus(ItemHost& host, bool gained) {
  if (gained) return;
  m_edit.SetComposition({}, 0);
  host.Notify(Id(), EN_KILLFOCUS);
}
