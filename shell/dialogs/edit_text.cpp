#include "shell/dialogs/edit_text.h"

#include <algorithm>

#include "foundation/sjis.h"
#include "platform/clipboard.h"
#include "platform/text_encoding.h"

namespace {

// Length of the UTF-8 character that starts with this byte.
std::size_t Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  return 2;
}

// Each character that CP932 can hold, converted; the others are left out.
std::string Cp932Characters(std::string_view utf8) {
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t length = std::min(Utf8Length(static_cast<unsigned char>(utf8[pos])), utf8.size() - pos);
    if (auto converted = platform::TryCp932FromUtf8(utf8.substr(pos, length))) out += *converted;
    pos += length;
  }
  return out;
}

std::string_view FirstLine(std::string_view text) { return text.substr(0, text.find_first_of("\r\n")); }

}  // namespace

void EditText::SetText(std::string cp932) {
  m_text = std::move(cp932);
  m_anchor = m_caret = 0;
}

int EditText::Snap(int pos) const {
  pos = std::clamp(pos, 0, static_cast<int>(m_text.size()));
  int start = 0;
  sjis::ForEachChar(m_text, [&](std::size_t charPos, std::size_t) {
    if (static_cast<int>(charPos) <= pos) start = static_cast<int>(charPos);
  });
  return pos == static_cast<int>(m_text.size()) ? pos : start;
}

int EditText::NextChar(int pos) const {
  if (pos >= static_cast<int>(m_text.size())) return pos;
  return pos + static_cast<int>(sjis::CharLength(m_text, pos));
}

int EditText::PrevChar(int pos) const { return pos <= 0 ? 0 : Snap(pos - 1); }

void EditText::SetSelection(int start, int end) {
  m_anchor = Snap(start);
  m_caret = Snap(end);
}

void EditText::ReplaceSelection(std::string_view cp932) {
  const int start = SelStart();
  m_text.replace(start, SelEnd() - start, cp932);
  m_anchor = m_caret = start + static_cast<int>(cp932.size());
}

bool EditText::InsertUtf8(std::string_view utf8) {
  const std::string cp932 = Cp932Characters(FirstLine(utf8));
  if (cp932.empty()) return false;
  ReplaceSelection(cp932);
  return true;
}

bool EditText::Backspace() {
  if (!HasSelection()) {
    if (m_caret == 0) return false;
    m_anchor = PrevChar(m_caret);
  }
  ReplaceSelection({});
  return true;
}

bool EditText::DeleteForward() {
  if (!HasSelection()) {
    if (m_caret >= static_cast<int>(m_text.size())) return false;
    m_anchor = NextChar(m_caret);
  }
  ReplaceSelection({});
  return true;
}

void EditText::MoveCaret(int direction, bool extend) {
  if (!extend && HasSelection()) {
    m_caret = m_anchor = direction < 0 ? SelStart() : SelEnd();
    return;
  }
  m_caret = direction < 0 ? PrevChar(m_caret) : NextChar(m_caret);
  if (!extend) m_anchor = m_caret;
}

void EditText::MoveToEdge(bool end, bool extend) {
  m_caret = end ? static_cast<int>(m_text.size()) : 0;
  if (!extend) m_anchor = m_caret;
}

void EditText::SelectAll() {
  m_anchor = 0;
  m_caret = static_cast<int>(m_text.size());
}

void EditText::Copy() const {
  if (HasSelection()) platform::SetClipboardText(platform::Utf8FromCp932(m_text.substr(SelStart(), SelEnd() - SelStart())));
}

bool EditText::Cut() {
  if (!HasSelection()) return false;
  Copy();
  ReplaceSelection({});
  return true;
}

bool EditText::Paste() { return InsertUtf8(platform::ClipboardText()); }

void EditText::SetComposition(std::string utf8, int cursor) {
  m_composition = std::move(utf8);
  m_compositionCursor = std::max(0, cursor);
}
