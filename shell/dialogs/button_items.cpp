#include "shell/dialogs/button_items.h"

#include "shell/dialogs/dialog_font.h"

namespace {

constexpr int kBoxSize = 13;

// The label right of a check box or radio button, centred on its height.
void DrawLabel(DialogCanvas& canvas, const DialogItem& item, bool focused) {
  const DialogRect& r = item.Rect();
  const DialogFont& font = DialogFont::Get();
  const int x = r.x + kBoxSize + 4;
  const int y = r.y + (r.h - font.LineHeight()) / 2;
  // Our font runs a little wider than the one the layouts were made with: a
  // label may run on to the dialog's edge rather than lose its last letters.
  canvas.SetClip({r.x, r.y, canvas.Width() - r.x, r.h});
  const int width = canvas.Text(x, y, item.Text(), item.Enabled() ? dialog_colors::kText : dialog_colors::kGrayText);
  canvas.ResetClip();
  if (focused) canvas.FocusOutline({x - 1, y - 1, width + 2, font.LineHeight() + 2});
}

DialogRect BoxRect(const DialogRect& r) { return {r.x, r.y + (r.h - kBoxSize) / 2, kBoxSize, kBoxSize}; }

}  // namespace

bool ButtonItem::OnKeyDown(ItemHost& host, const platform::UiEvent& event) {
  if (event.key != platform::kVkSpace) return false;
  Press(host);
  return true;
}

void ButtonItem::OnMouseDown(ItemHost&, int, int, bool) {
  m_tracking = true;
  m_pushed = true;
}

void ButtonItem::OnMouseDrag(ItemHost&, int x, int y) {
  if (m_tracking) m_pushed = Rect().Contains(x, y);
}

void ButtonItem::OnMouseUp(ItemHost& host, int x, int y) {
  const bool click = m_tracking && Rect().Contains(x, y);
  m_tracking = m_pushed = false;
  if (click) Press(host);
}

void PushButtonItem::Draw(DialogCanvas& canvas, bool focused) const {
  using namespace dialog_colors;
  const DialogRect& r = Rect();
  canvas.Fill(r, kFace);
  DialogRect inner = r;
  if (IsDefault() || focused) {
    canvas.Outline(r, kFrame);
    inner = r.Inset(1);
  }
  if (Pushed()) {
    canvas.Outline(inner, kShadow);
  } else {
    canvas.RaisedEdge(inner);
  }
  const DialogFont& font = DialogFont::Get();
  const int width = font.TextWidth(Text());
  const int shift = Pushed() ? 1 : 0;
  const int x = r.x + (r.w - width) / 2 + shift, y = r.y + (r.h - font.LineHeight()) / 2 + shift;
  canvas.SetClip(inner.Inset(1));
  canvas.Text(x, y, Text(), Enabled() ? kText : kGrayText);
  canvas.ResetClip();
  if (focused) canvas.FocusOutline(inner.Inset(3));
}

void PushButtonItem::Press(ItemHost& host) {
  if (Enabled()) host.Notify(Id(), BN_CLICKED);
}

void CheckBoxItem::Draw(DialogCanvas& canvas, bool focused) const {
  using namespace dialog_colors;
  const DialogRect box = BoxRect(Rect());
  canvas.Fill(box, Pushed() ? kFace : kWindow);
  canvas.Outline(box, kFrame);
  if (m_check) {
    // A tick from the lower left up to the right.
    const int x0 = box.x + 3, y0 = box.y + 6;
    for (int i = 0; i < 3; ++i) canvas.Fill({x0 + i, y0 + i, 1, 3}, kText);
    for (int i = 0; i < 4; ++i) canvas.Fill({x0 + 3 + i, y0 + 1 - i, 1, 3}, kText);
  }
  DrawLabel(canvas, *this, focused);
}

void CheckBoxItem::Press(ItemHost& host) {
  if (!Enabled()) return;
  m_check = !m_check;
  host.Notify(Id(), BN_CLICKED);
}

void RadioButtonItem::Draw(DialogCanvas& canvas, bool focused) const {
  using namespace dialog_colors;
  const DialogRect box = BoxRect(Rect());
  // A circle of rows: widths of a 13-pixel disc.
  static constexpr int kRows[kBoxSize] = {5, 9, 11, 11, 13, 13, 13, 13, 13, 11, 11, 9, 5};
  for (int row = 0; row < kBoxSize; ++row) {
    const int w = kRows[row], x = box.x + (kBoxSize - w) / 2;
    canvas.HLine(x, box.y + row, w, kFrame);
    if (row > 0 && row < kBoxSize - 1) {
      const int innerW = kRows[row] - 2 - (row == 1 || row == kBoxSize - 2 ? 2 : 0);
      canvas.HLine(box.x + (kBoxSize - innerW) / 2, box.y + row, innerW, Pushed() ? kFace : kWindow);
    }
  }
  if (m_check) {
    static constexpr int kDot[5] = {3, 5, 5, 5, 3};
    for (int row = 0; row < 5; ++row) canvas.HLine(box.x + (kBoxSize - kDot[row]) / 2, box.y + 4 + row, kDot[row], kText);
  }
  DrawLabel(canvas, *this, focused);
}

void RadioButtonItem::Press(ItemHost& host) {
  if (!Enabled()) return;
  m_check = 1;
  host.RadioChosen(Id());
  host.Notify(Id(), BN_CLICKED);
}
