#pragma once
// One control of a dialog drawn by the toolkit: its id, kind, place (pixels
// in the dialog's client area), CP932 text and state, how it draws itself and
// what it does with keys, typed text and the mouse. Controls report clicks
// and changes to their host, the dialog box, as notifications.

#include <string>
#include <string_view>

#include "platform/ui_events.h"
#include "shell/dialogs/dialog_canvas.h"
#include "shell/dialogs/dialog_template.h"

class ItemHost {
 public:
  virtual ~ItemHost() = default;
  // The control's notification (BN_CLICKED, EN_UPDATE, ...).
  virtual void Notify(int id, int code) = 0;
  // An automatic radio button was chosen: the others of its group clear.
  virtual void RadioChosen(int id) = 0;
};

class DialogItem {
 public:
  DialogItem(int id, ItemKind kind, const DialogRect& rect, std::string text, bool tabStop);
  virtual ~DialogItem() = default;
  DialogItem(const DialogItem&) = delete;
  DialogItem& operator=(const DialogItem&) = delete;

  int Id() const { return m_id; }
  ItemKind Kind() const { return m_kind; }
  const DialogRect& Rect() const { return m_rect; }
  bool TabStop() const { return m_tabStop; }
  bool Enabled() const { return m_enabled; }
  void Enable(bool enabled) { m_enabled = enabled; }

  virtual const std::string& Text() const { return m_text; }
  virtual void SetText(ItemHost& host, std::string cp932);
  // Check state of check boxes and radio buttons (0 or 1).
  virtual int Check() const { return 0; }
  virtual void SetCheck(int) {}

  // Whether the keyboard focus may rest here.
  virtual bool TakesFocus() const { return false; }
  virtual void Draw(DialogCanvas& canvas, bool focused) const = 0;

  // Input while focused; true when the key was used.
  virtual bool OnKeyDown(ItemHost&, const platform::UiEvent&) { return false; }
  virtual void OnText(ItemHost&, std::string_view) {}
  virtual void OnComposition(ItemHost&, std::string, int) {}
  virtual bool IsComposing() const { return false; }
  // Mouse, at client coordinates; down inside the control, up anywhere.
  virtual void OnMouseDown(ItemHost&, int, int, bool /*doubleClick*/) {}
  virtual void OnMouseDrag(ItemHost&, int, int) {}
  virtual void OnMouseUp(ItemHost&, int, int) {}
  virtual void OnWheel(ItemHost&, int) {}
  virtual void OnFocus(ItemHost&, bool) {}
  // Space or a click: what the control does when it is pressed.
  virtual void Press(ItemHost&) {}

 protected:
  std::string m_text;

 private:
  int m_id;
  ItemKind m_kind;
  DialogRect m_rect;
  bool m_tabStop;
  bool m_enabled = true;
};
