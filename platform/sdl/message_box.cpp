#include "platform/sdl/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <vector>

#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/sdl/window.h"

namespace platform::sdl {
namespace {

std::vector<SDL_MessageBoxButtonData> Buttons(unsigned type) {
  constexpr Uint32 kEnter = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
  constexpr Uint32 kEscape = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  switch (type & kBoxButtonsMask) {
    case kBoxOkCancel:
      return {{kEnter, kAnswerOk, "OK"}, {kEscape, kAnswerCancel, "Cancel"}};
    case kBoxYesNoCancel:
      return {{kEnter, kAnswerYes, "Yes"}, {0, kAnswerNo, "No"}, {kEscape, kAnswerCancel, "Cancel"}};
    case kBoxYesNo:
      return {{kEnter, kAnswerYes, "Yes"}, {kEscape, kAnswerNo, "No"}};
    default:
      return {{kEnter | kEscape, kAnswerOk, "OK"}};
  }
}

Uint32 Flags(unsigned type) {
  switch (type & kBoxIconMask) {
    case kBoxIconError:
      return SDL_MESSAGEBOX_ERROR;
    case kBoxIconWarning:
      return SDL_MESSAGEBOX_WARNING;
    default:
      return SDL_MESSAGEBOX_INFORMATION;
  }
}

// The answer of a box that could not be shown: the button Escape would give.
int EscapeAnswer(const std::vector<SDL_MessageBoxButtonData>& buttons) {
  for (const auto& button : buttons) {
    if (button.flags & SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT) return button.buttonid;
  }
  return buttons.front().buttonid;
}

int Show(const std::string& text, const std::string& caption, unsigned type, SDL_Window* parent) {
  std::vector<SDL_MessageBoxButtonData> buttons = Buttons(type);
  SDL_MessageBoxData data{};
  data.flags = Flags(type);
  data.window = parent;
  data.title = caption.c_str();
  data.message = text.c_str();
  data.numbuttons = static_cast<int>(buttons.size());
  data.buttons = buttons.data();
  int answer = 0;
  if (SDL_ShowMessageBox(&data, &answer) != 0 || answer <= 0) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return EscapeAnswer(buttons);
  }
  return answer;
}

}  // namespace

int ShowMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  if (IsMainThread()) return Show(utf8Text, utf8Caption, type, MainSdlWindow());
  int answer = 0;
  if (RunOnMainThread([&] { answer = Show(utf8Text, utf8Caption, type, MainSdlWindow()); })) return answer;
  // The main thread no longer serves requests (the player is closing). SDL may
  // only be called from the main thread, so the text goes to stderr and the
  // box answers as if Escape had been pressed.
  std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
  return EscapeAnswer(Buttons(type));
}

}  // namespace platform::sdl
