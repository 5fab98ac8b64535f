#include "platform/sdl/message_box.h"

#include <SDL.h>

#include <vector>

#include "platform/forked_children.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/sdl/box_process_watch.h"
#include "platform/sdl/unmanaged_box_focus.h"
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

std::optional<int> Show(const std::string& text, const std::string& caption, unsigned type, SDL_Window* parent) {
  std::vector<SDL_MessageBoxButtonData> buttons = Buttons(type);
  SDL_MessageBoxData data{};
  data.flags = Flags(type);
  data.window = parent;
  data.title = caption.c_str();
  data.message = text.c_str();
  data.numbuttons = static_cast<int>(buttons.size());
  data.buttons = buttons.data();
  int answer = 0;
  {
    // The box's process must not outlive the player: killed (a crash, the
    // OOM killer) while it waits, the player would leave its box on the
    // screen for good.
    const ForkedChildrenEndWithThisProcess boxEndsWithUs;
    UnmanagedBoxFocus focus(caption);
    BoxProcessWatch watch([&] { focus.TakeTheFocusOnceShown(); });
    if (SDL_ShowMessageBox(&data, &answer) != 0 || answer <= 0) return std::nullopt;
  }
  return answer;
}

}  // namespace

std::optional<int> ShowMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  if (IsMainThread()) return Show(utf8Text, utf8Caption, type, MainSdlWindow());
  std::optional<int> answer;
  // SDL may only be called from the main thread: once it no longer serves
  // requests (the player is closing), no box can show.
  if (RunOnMainThread([&] { answer = Show(utf8Text, utf8Caption, type, MainSdlWindow()); })) return answer;
  return std::nullopt;
}

}  // namespace platform::sdl
