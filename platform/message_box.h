#pragma once
// Modal message boxes. Texts are UTF-8 here; the game's CP932 texts are
// converted by foundation/message_box.h. The caller blocks until answered.
// The SDL backend shows the box on the main thread (other threads send it
// there); the headless backend logs it and answers from a script.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Buttons of a box, and the answers, with the values the game's data and
// code were written against.
enum BoxType : unsigned {
  kBoxOk = 0x0,
  kBoxOkCancel = 0x1,
  kBoxYesNoCancel = 0x3,
  kBoxYesNo = 0x4,
  kBoxButtonsMask = 0xF,
  kBoxIconError = 0x10,
  kBoxIconQuestion = 0x20,
  kBoxIconWarning = 0x30,
  kBoxIconInformation = 0x40,
  kBoxIconMask = 0xF0,
};
enum BoxAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

// Under a video driver that shows nothing, every box is an unshown one.
// After a termination no box is shown: each takes its closed box's answer.
int ShowMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type);
// The backend's own box, whatever box is set below; where it cannot show,
// the answer of an unshown box.
int ShowSystemMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type);
// The backend's own box, or nothing where it cannot show (an X server
// without the fonts it needs, some Wayland sessions). A box that a
// termination ended answers quietly as its close box.
std::optional<int> TrySystemMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type);
// A box that no one could be shown: its text goes to stderr and it answers
// as Escape would.
int AnswerUnshownBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type);
// The answer of a box closed unanswered (its close box, Escape): Cancel, No
// in a Yes/No box, OK.
int ClosedBoxAnswer(unsigned type);

// A box of the program's own that takes the place of the backend's (the
// dialogs drawn in the game window); an empty one gives the backend's again.
using MessageBoxOverride = std::function<int(const std::string& utf8Text, const std::string& utf8Caption, unsigned type)>;
void SetMessageBoxOverride(MessageBoxOverride box);

// Headless script: whether the backend's own box can show (default: it can).
void SetHeadlessSystemBoxesShow(bool canShow);

// Headless script: the answer to give to boxes that offer it; a box that does
// not offer it gets its first button (OK or Yes). Default: Yes / OK.
void SetHeadlessBoxAnswer(BoxAnswer answer);

struct ShownBox {
  std::string text;
  std::string caption;
  unsigned type;
  int answer;
};
// The boxes the headless backend has shown since the last call.
std::vector<ShownBox> TakeHeadlessBoxes();

}  // namespace platform
