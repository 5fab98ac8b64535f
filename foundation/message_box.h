#pragma once
// The program's message boxes. Texts and captions are CP932 bytes; the
// platform shows them as UTF-8. While the graphics layer owns a full screen
// it routes the boxes to its own screen box.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/text_format.h"
#include "platform/message_box.h"

// Box types and answers under the names the game code uses.
inline constexpr unsigned MB_OK = platform::kBoxOk;
inline constexpr unsigned MB_OKCANCEL = platform::kBoxOkCancel;
inline constexpr unsigned MB_YESNOCANCEL = platform::kBoxYesNoCancel;
inline constexpr unsigned MB_YESNO = platform::kBoxYesNo;
inline constexpr unsigned MB_ICONERROR = platform::kBoxIconError;
inline constexpr unsigned MB_ICONQUESTION = platform::kBoxIconQuestion;
inline constexpr unsigned MB_ICONWARNING = platform::kBoxIconWarning;
inline constexpr unsigned MB_ICONINFORMATION = platform::kBoxIconInformation;
inline constexpr int IDOK = platform::kAnswerOk;
inline constexpr int IDCANCEL = platform::kAnswerCancel;
inline constexpr int IDYES = platform::kAnswerYes;
inline constexpr int IDNO = platform::kAnswerNo;

// The one message box of the program; returns the answer (IDOK, IDYES, ...).
int MesBox(std::string_view text, std::string_view caption, unsigned type);
// MesBox with the caption "エラー" and an OK button.
int ErrorBox(std::string_view text);
int ErrorBoxF(const char* format, ...) PLAYER_PRINTF(1, 2);

// A route that takes every box while it is set (the graphics layer's
// full-screen box); an empty route shows platform boxes again.
using MesBoxRoute = std::function<int(std::string_view text, std::string_view caption, unsigned type)>;
void SetMesBoxRoute(MesBoxRoute route);

// The CP932 bytes of a UTF-8 literal, converted once and kept for the life of
// the process, for Japanese source texts that meet data bytes or log calls.
const char* Cp932Literal(const char* utf8);
