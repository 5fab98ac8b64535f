#pragma once
// The button family: push buttons (one may be the default, which Enter
// presses), automatic check boxes and automatic radio buttons. A press is
// a click with the mouse released over the control, or Space.

#include "shell/dialogs/dialog_item.h"

class ButtonItem : public DialogItem {
 public:
  using DialogItem::DialogItem;
  bool TakesFocus() const override { return Enabled(); }
  bool OnKeyDown(ItemHost& host, const platform::UiEvent& event) override;
  void OnMouseDown(ItemHost& host, int x, int y, bool doubleClick) override;
  void OnMouseDrag(ItemHost& host, int x, int y) override;
  void OnMouseUp(ItemHost& host, int x, int y) override;

 protected:
  bool Pushed() const { return m_pushed; }

 private:
  bool m_tracking = false;
  bool m_pushed = false;
};

class PushButtonItem final : public ButtonItem {
 public:
  using ButtonItem::ButtonItem;
  bool IsDefault() const { return Kind() == ItemKind::DefPushButton; }
  void Draw(DialogCanvas& canvas, bool focused) const override;
  void Press(ItemHost& host) override;
};

// A button that keeps a checked state: the check box and the radio button.
class CheckableButtonItem : public ButtonItem {
 public:
  using ButtonItem::ButtonItem;
  int Check() const override { return m_check; }
  void SetCheck(int check) override { m_check = check ? 1 : 0; }

 protected:
  int m_check = 0;
};

class CheckBoxItem final : public CheckableButtonItem {
 public:
  using CheckableButtonItem::CheckableButtonItem;
  void Draw(DialogCanvas& canvas, bool focused) const override;
  void Press(ItemHost& host) override;
};

class RadioButtonItem final : public CheckableButtonItem {
 public:
  using CheckableButtonItem::CheckableButtonItem;
  void Draw(DialogCanvas& canvas, bool focused) const override;
  void Press(ItemHost& host) override;
};
