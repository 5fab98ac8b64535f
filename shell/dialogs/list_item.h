#pragma once
// A list box of text lines, one selectable, scrolled with the wheel, the
// arrow and page keys; a click selects (LBN_SELCHANGE), a double click or
// Enter on it is reported as LBN_DBLCLK.

#include <string>
#include <vector>

#include "shell/dialogs/dialog_item.h"

class ListItem final : public DialogItem {
 public:
  using DialogItem::DialogItem;

  void SetLines(std::vector<std::string> cp932Lines);
  const std::vector<std::string>& Lines() const { return m_lines; }
  int Selection() const { return m_selection; }
  void Select(int index);

  bool TakesFocus() const override { return Enabled(); }
  void Draw(DialogCanvas& canvas, bool focused) const override;
  bool OnKeyDown(ItemHost& host, const platform::UiEvent& event) override;
  void OnMouseDown(ItemHost& host, int x, int y, bool doubleClick) override;
  void OnWheel(ItemHost& host, int lines) override;

 private:
  int VisibleRows() const;
  void ChangeSelection(ItemHost& host, int index);
  void KeepSelectionVisible();

  std::vector<std::string> m_lines;
  int m_selection = -1;
  int m_top = 0;
};
