#pragma once
// What an edit box holds and does with keys: CP932 text, a caret with a
// selection anchor (byte positions, always on character boundaries), typing
// over the selection, deleting, moving by characters, copy and paste through
// the desktop clipboard, and the text an input method is composing (UTF-8,
// shown at the caret, not yet part of the text). Typed or pasted characters
// that CP932 cannot hold are refused.

#include <string>
#include <string_view>

class EditText {
 public:
  const std::string& Text() const { return m_text; }
  // Replaces the whole text; the caret goes to its start.
  void SetText(std::string cp932);
  int SelStart() const { return std::min(m_anchor, m_caret); }
  int SelEnd() const { return std::max(m_anchor, m_caret); }
  int Caret() const { return m_caret; }
  int Anchor() const { return m_anchor; }
  // Positions are clamped to the text and moved back to a character start.
  void SetSelection(int start, int end);
  bool HasSelection() const { return m_anchor != m_caret; }

  // Typed text (UTF-8); false when nothing could be inserted. A single-line
  // box keeps what comes before the first line break.
  bool InsertUtf8(std::string_view utf8);
  bool Backspace();
  bool DeleteForward();
  void MoveCaret(int direction, bool extend);  // -1 left, +1 right
  void MoveToEdge(bool end, bool extend);
  void SelectAll();

  void Copy() const;
  bool Cut();
  bool Paste();

  const std::string& Composition() const { return m_composition; }
  int CompositionCursor() const { return m_compositionCursor; }
  void SetComposition(std::string utf8, int cursor);
  bool Composing() const { return !m_composition.empty(); }

 private:
  int Snap(int pos) const;
  int NextChar(int pos) const;
  int PrevChar(int pos) const;
  void ReplaceSelection(std::string_view cp932);

  std::string m_text;
  int m_anchor = 0;
  int m_caret = 0;
  std::string m_composition;
  int m_compositionCursor = 0;
};
