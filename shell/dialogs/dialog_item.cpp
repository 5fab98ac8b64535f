#include "shell/dialogs/dialog_item.h"

#include <utility>

DialogItem::DialogItem(int id, ItemKind kind, const DialogRect& rect, std::string text, bool tabStop)
    : m_text(std::move(text)), m_id(id), m_kind(kind), m_rect(rect), m_tabStop(tabStop) {}

void DialogItem::SetText(ItemHost&, std::string cp932) { m_text = std::move(cp932); }
