#pragma once
// A dialog's layout as its template gives it: the caption, the size and the
// controls (kind, id, text, place), all in dialog units; texts are UTF-8
// source literals, converted to CP932 when the dialog is built.

#include <vector>

enum class ItemKind { Static, GroupBox, PushButton, DefPushButton, CheckBox, RadioButton, Edit, List, Picture };

struct ItemTemplate {
  int id = 0;
  ItemKind kind = ItemKind::Static;
  const char* text = "";
  int x = 0, y = 0, w = 0, h = 0;
  bool tabStop = false;
};

struct DialogTemplate {
  const char* caption = "";
  bool hasCaption = true;
  int width = 0;
  int height = 0;
  std::vector<ItemTemplate> items;
  bool visible = true;
};

// Notification codes a control sends with its id.
inline constexpr int BN_CLICKED = 0;
inline constexpr int LBN_SELCHANGE = 1;
inline constexpr int LBN_DBLCLK = 2;
inline constexpr int EN_KILLFOCUS = 0x0200;
inline constexpr int EN_UPDATE = 0x0400;

// Command ids the dialog manager sends for Enter and Escape.
inline constexpr int IDOK_COMMAND = 1;
inline constexpr int IDCANCEL_COMMAND = 2;
