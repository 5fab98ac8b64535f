#include "shell/dialogs/message_box_dialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/message_box.h"
#include "platform/backend.h"
#include "platform/main_thread.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/dialog_font.h"

namespace {

constexpr int kTextId = 0xFFFF;
// Sizes in dialog units.
constexpr int kMargin = 10;
constexpr int kButtonW = 50;
constexpr int kButtonH = 14;
constexpr int kButtonGap = 6;
constexpr int kMinTextW = 100;

struct ButtonSpec {
  int answer;
  const char* text;
};

std::vector<ButtonSpec> ButtonsOf(unsigned type) {
  switch (type & platform::kBoxButtonsMask) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_YESNOCANCEL: return {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "Yes"}, {IDNO, "No"}};
    default: return {{IDOK, "OK"}};
  }
}

// Escape and the close box answer Cancel, or OK in a box with only OK; a
// Yes/No box keeps waiting (for a closed box: No).
int EscapeAnswer(const std::vector<ButtonSpec>& buttons, bool closing) {
  for (const ButtonSpec& button : buttons)
    if (button.answer == IDCANCEL) return IDCANCEL;
  if (buttons.size() == 1) return IDOK;
  return closing ? IDNO : 0;
}

int ToDlu(int pixels, int base) { return (pixels * 4 + base - 1) / base; }

class MessageBoxHandler final : public DialogHandler {
 public:
  MessageBoxHandler(std::string_view text, std::string_view caption, unsigned type)
      : m_text(text), m_buttons(ButtonsOf(type)) {
    const DialogFont& font = DialogFont::Get();
    int textW = 0, lines = 0;
    std::string_view line;
    std::size_t start = 0;
    while (true) {
      const std::size_t end = m_text.find('\n', start);
      line = std::string_view(m_text).substr(start, end - start);
      textW = std::max(textW, font.TextWidth(line));
      ++lines;
      if (end == std::string::npos) break;
      start = end + 1;
    }
    const int width = std::max({kMinTextW, ToDlu(textW, font.BaseUnitX()) + 2,
                                static_cast<int>(m_buttons.size()) * (kButtonW + kButtonGap) - kButtonGap});
    // The last line's descenders hang below its cell: the text is as high as they reach.
    const int textPixels = (lines - 1) * font.LineHeight() + std::max(font.LineHeight(), font.InkBottom(line));
    const int textH = (textPixels * 8 + font.BaseUnitY() - 1) / font.BaseUnitY();
    m_layout.caption = "";
    m_layout.width = width + 2 * kMargin;
    m_layout.height = kMargin + textH + kMargin + kButtonH + kMargin;
    m_layout.items.push_back({kTextId, ItemKind::Static, "", kMargin, kMargin, width, textH, false});
    int x = (m_layout.width - static_cast<int>(m_buttons.size()) * (kButtonW + kButtonGap) + kButtonGap) / 2;
    for (std::size_t i = 0; i < m_buttons.size(); ++i, x += kButtonW + kButtonGap) {
      const ItemKind kind = i == 0 ? ItemKind::DefPushButton : ItemKind::PushButton;
      m_layout.items.push_back({m_buttons[i].answer, kind, m_buttons[i].text, x, m_layout.height - kMargin - kButtonH,
                                kButtonW, kButtonH, true});
    }
    m_caption = caption;
  }

  int Run(platform::UiSurface surface) {
    DialogBox box(m_layout, *this);
    m_box = &box;
    box.SetCaption(m_caption);
    box.Run(surface);
    m_box = nullptr;
    // Ended by a forced close (a termination, a fatal error): the answer of
    // a closed box.
    if (m_answer == 0 && box.Ended()) m_answer = EscapeAnswer(m_buttons, true);
    return m_answer;
  }

 private:
  void InitDialog() override {
    m_box->SetItemText(kTextId, m_text);
    m_box->SetFocus(m_buttons.front().answer);
  }
  void Command(int id, int) override {
    const bool escape = id == IDCANCEL_COMMAND &&
                        std::none_of(m_buttons.begin(), m_buttons.end(), [](const ButtonSpec& b) { return b.answer == IDCANCEL; });
    const int answer = escape ? EscapeAnswer(m_buttons, false) : id;
    if (std::any_of(m_buttons.begin(), m_buttons.end(), [answer](const ButtonSpec& b) { return b.answer == answer; })) {
      m_answer = answer;
      m_box->End(answer);
    }
  }
  void CloseDialog() override {
    m_answer = EscapeAnswer(m_buttons, true);
    m_box->End(m_answer);
  }

  std::string m_text;
  std::string m_caption;
  std::vector<ButtonSpec> m_buttons;
  DialogTemplate m_layout;
  DialogBox* m_box = nullptr;
  int m_answer = 0;
};

int ShowOnMainThread(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  if (!platform::IsMainThread()) {
    int answer = 0;
    if (platform::RunOnMainThread([&] { answer = ShowOnMainThread(utf8Text, utf8Caption, type); })) return answer;
    return platform::ShowSystemMessageBox(utf8Text, utf8Caption, type);
  }
  // A termination that came since the box was asked for ends the question.
  if (platform::TerminationRaised()) return platform::ClosedBoxAnswer(type);
  // Headless without a script of events, a box answers as the tests ask.
  const bool scripted = platform::CurrentBackend() == platform::Backend::Sdl || !platform::HeadlessUiScriptEmpty();
  // A hidden or minimised window could not show a drawn box.
  const bool visible = platform::MainWindowShown() && !platform::MainWindowMinimised();
  if (visible && scripted)
    return DialogMessageBox(platform::Cp932FromUtf8(utf8Text), platform::Cp932FromUtf8(utf8Caption), type);
  if (auto answer = platform::TrySystemMessageBox(utf8Text, utf8Caption, type)) return *answer;
  // Where the desktop's box cannot show, the player draws its own in a small
  // window of its own, so that the question is seen before it is answered.
  if (scripted) {
    MessageBoxHandler box(platform::Cp932FromUtf8(utf8Text), platform::Cp932FromUtf8(utf8Caption), type);
    if (const int answer = box.Run(platform::UiSurface::OwnWindow)) return answer;
  }
  return platform::AnswerUnshownBox(utf8Text, utf8Caption, type);
}

}  // namespace

int DialogMessageBox(std::string_view text, std::string_view caption, unsigned type) {
  MessageBoxHandler box(text, caption, type);
  return box.Run(platform::UiSurface::GameWindow);
}

void UseDialogMessageBoxes(bool on) { platform::SetMessageBoxOverride(on ? ShowOnMainThread : nullptr); }

int ConfirmExit(int english) {
  const char* text = english ? "Would you like to quit?\n" : Cp932Literal("終了しますか？\n");
  const char* caption = english ? "End confirmation" : Cp932Literal("終了確認");
  return MesBox(text, caption, MB_YESNO) == IDYES ? 1 : 0;
}
