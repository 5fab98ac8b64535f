#include "shell/dialogs/list_item.h"

#include <algorithm>

#include "shell/dialogs/dialog_font.h"

namespace {
constexpr int kBorder = 2;
constexpr int kScrollMarkWidth = 4;
}  // namespace

void ListItem::SetLines(std::vector<std::string> cp932Lines) {
  m_lines = std::move(cp932Lines);
  m_selection = m_lines.empty() ? -1 : 0;
  m_top = 0;
}

void ListItem::Select(int index) {
  // A negative index selects nothing.
  m_selection = m_lines.empty() || index < 0 ? -1 : std::min(index, static_cast<int>(m_lines.size()) - 1);
  KeepSelectionVisible();
}

int ListItem::VisibleRows() const {
  return std::max(1, (Rect().h - 2 * kBorder) / DialogFont::Get().LineHeight());
}

void ListItem::KeepSelectionVisible() {
  if (m_selection < 0) return;
  if (m_selection < m_top) m_top = m_selection;
  if (m_selection >= m_top + VisibleRows()) m_top = m_selection - VisibleRows() + 1;
}

void ListItem::ChangeSelection(ItemHost& host, int index) {
  if (m_lines.empty()) return;
  index = std::max(index, 0);
  const int before = m_selection;
  Select(index);
  if (m_selection != before) host.Notify(Id(), LBN_SELCHANGE);
}

void ListItem::Draw(DialogCanvas& canvas, bool focused) const {
  using namespace dialog_colors;
  const DialogRect& r = Rect();
  canvas.SunkenEdge(r);
  const DialogRect inner = r.Inset(kBorder);
  canvas.Fill(inner, kWindow);
  canvas.SetClip(inner);
  const int lineHeight = DialogFont::Get().LineHeight();
  const int rows = VisibleRows();
  for (int row = 0; row < rows && m_top + row < static_cast<int>(m_lines.size()); ++row) {
    const int index = m_top + row;
    const DialogRect line{inner.x, inner.y + row * lineHeight, inner.w - kScrollMarkWidth, lineHeight};
    const bool selected = index == m_selection;
    if (selected) canvas.Fill(line, focused ? kHighlight : kFace);
    canvas.Text(line.x + 2, line.y, m_lines[index], selected && focused ? kHighlightText : kText);
    if (selected && focused) canvas.FocusOutline(line);
  }
  // Where the shown rows lie in the whole list.
  const int count = static_cast<int>(m_lines.size());
  if (count > rows) {
    const int track = inner.h;
    const int thumb = std::max(4, track * rows / count);
    const int offset = (track - thumb) * m_top / std::max(1, count - rows);
    canvas.Fill({inner.x + inner.w - kScrollMarkWidth, inner.y + offset, kScrollMarkWidth, thumb}, kShadow);
  }
  canvas.ResetClip();
}

bool ListItem::OnKeyDown(ItemHost& host, const platform::UiEvent& event) {
  using namespace platform;
  switch (event.key) {
    case kVkUp: ChangeSelection(host, m_selection - 1); return true;
    case kVkDown: ChangeSelection(host, m_selection + 1); return true;
    case kVkPrior: ChangeSelection(host, m_selection - VisibleRows()); return true;
    case kVkNext: ChangeSelection(host, m_selection + VisibleRows()); return true;
    case kVkHome: ChangeSelection(host, 0); return true;
    case kVkEnd: ChangeSelection(host, static_cast<int>(m_lines.size()) - 1); return true;
    default: return false;
  }
}

void ListItem::OnMouseDown(ItemHost& host, int, int y, bool doubleClick) {
  const int row = (y - Rect().y - kBorder) / DialogFont::Get().LineHeight();
  const int index = m_top + row;
  if (row < 0 || index >= static_cast<int>(m_lines.size())) return;
  ChangeSelection(host, index);
  if (doubleClick) host.Notify(Id(), LBN_DBLCLK);
}

void ListItem::OnWheel(ItemHost&, int lines) {
  const int most = std::max(0, static_cast<int>(m_lines.size()) - VisibleRows());
  m_top = std::clamp(m_top - lines * 3, 0, most);
}
