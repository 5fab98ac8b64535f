#pragma once
// A single-line edit box: a sunken white field that shows its text scrolled
// so that the caret stays in view, the selection highlighted, and the text
// an input method composes drawn in place at the caret, underlined. Every
// change of the text is reported as EN_UPDATE, losing the focus as
// EN_KILLFOCUS.

#include "shell/dialogs/dialog_item.h"
#include "shell/dialogs/edit_text.h"

class EditItem final : public DialogItem {
 public:
  using DialogItem::DialogItem;

  const std::string& Text() const override { return m_edit.Text(); }
  void SetText(ItemHost& host, std::string cp932) override;
  EditText& Edit() { return m_edit; }
  const EditText& Edit() const { return m_edit; }
  // EM_SETSEL: positions clamped to the text.
  void SetSelection(int start, int end) { m_edit.SetSelection(start, end); }

  bool TakesFocus() const override { return Enabled(); }
  void Draw(DialogCanvas& canvas, bool focused) const override;
  bool OnKeyDown(ItemHost& host, const platform::UiEvent& event) override;
  void OnText(ItemHost& host, std::string_view utf8) override;
  void OnComposition(ItemHost& host, std::string utf8, int cursor) override;
  bool IsComposing() const override { return m_edit.Composing(); }
  void OnMouseDown(ItemHost& host, int x, int y, bool doubleClick) override;
  void OnMouseDrag(ItemHost& host, int x, int y) override;
  void OnMouseUp(ItemHost&, int, int) override { m_dragging = false; }
  void OnFocus(ItemHost& host, bool gained) override;

  // The field's text area inside the border.
  DialogRect TextArea() const;

 private:
  int PositionAt(int x) const;
  void KeepCaretVisible();
  void Changed(ItemHost& host);

  EditText m_edit;
  int m_scroll = 0;  // pixels of text hidden left of the field
  bool m_dragging = false;
};
