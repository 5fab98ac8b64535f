#pragma once
// Controls that only show something: a static text, a group box's frame
// with its title, and an empty picture.

#include "shell/dialogs/dialog_item.h"

class StaticItem final : public DialogItem {
 public:
  using DialogItem::DialogItem;
  void Draw(DialogCanvas& canvas, bool focused) const override;
};

class GroupBoxItem final : public DialogItem {
 public:
  using DialogItem::DialogItem;
  void Draw(DialogCanvas& canvas, bool focused) const override;
};

class PictureItem final : public DialogItem {
 public:
  using DialogItem::DialogItem;
  void Draw(DialogCanvas&, bool) const override {}
};
