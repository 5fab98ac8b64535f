#include "platform/sdl/ui_events.h"

#include "platform/own_window.h"
#include "platform/presenter.h"
#include "platform/sdl/own_window.h"
#include "platform/sdl/picture_fit.h"
#include "platform/sdl/window.h"

namespace platform::sdl {
namespace {

// Keys that have no printable ASCII code of their own.
int VirtualKeyOf(SDL_Keycode code) {
  if (code >= SDLK_a && code <= SDLK_z) return 'A' + (code - SDLK_a);
  if (code >= SDLK_0 && code <= SDLK_9) return '0' + (code - SDLK_0);
  if (code >= SDLK_F1 && code <= SDLK_F12) return kVkF1 + (code - SDLK_F1);
  switch (code) {
    case SDLK_BACKSPACE: return kVkBack;
    case SDLK_TAB: return kVkTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return kVkReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return kVkShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return kVkControl;
    case SDLK_LALT:
    case SDLK_RALT: return kVkMenu;
    case SDLK_ESCAPE: return kVkEscape;
    case SDLK_SPACE: return kVkSpace;
    case SDLK_PAGEUP: return kVkPrior;
    case SDLK_PAGEDOWN: return kVkNext;
    case SDLK_END: return kVkEnd;
    case SDLK_HOME: return kVkHome;
    case SDLK_LEFT: return kVkLeft;
    case SDLK_UP: return kVkUp;
    case SDLK_RIGHT: return kVkRight;
    case SDLK_DOWN: return kVkDown;
    case SDLK_INSERT: return kVkInsert;
    case SDLK_DELETE: return kVkDelete;
    default: return 0;
  }
}

void PictureSize(UiSurface surface, int* width, int* height) {
  if (surface == UiSurface::GameWindow)
    GetPresenter().FrameSize(width, height);
  else
    OwnWindowPictureSize(width, height);
}

bool SurfaceOfWindow(Uint32 windowId, UiSurface& surface) {
  for (UiSurface candidate : {UiSurface::GameWindow, UiSurface::OwnWindow}) {
    SDL_Window* window = SurfaceWindow(candidate);
    if (window && SDL_GetWindowID(window) == windowId) {
      surface = candidate;
      return true;
    }
  }
  return false;
}

// A window position in the picture's pixels.
void ToPicture(UiSurface surface, int wx, int wy, UiEvent& out) {
  const SDL_Rect area = PictureArea(surface);
  int width = 0, height = 0;
  PictureSize(surface, &width, &height);
  if (area.w < 1 || area.h < 1 || width < 1 || height < 1) {
    out.x = wx;
    out.y = wy;
    return;
  }
  // Floor division keeps positions left of or above the picture negative.
  auto scale = [](int offset, int picture, int shown) {
    const std::int64_t scaled = std::int64_t(offset) * picture;
    return int(scaled >= 0 ? scaled / shown : -((-scaled + shown - 1) / shown));
  };
  out.x = scale(wx - area.x, width, area.w);
  out.y = scale(wy - area.y, height, area.h);
}

bool KeyEvent(const SDL_KeyboardEvent& key, UiEvent& out) {
  if (!SurfaceOfWindow(key.windowID, out.surface)) return false;
  out.kind = key.type == SDL_KEYDOWN ? UiEventKind::KeyDown : UiEventKind::KeyUp;
  out.key = VirtualKeyOf(key.keysym.sym);
  out.ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
  out.shift = (key.keysym.mod & KMOD_SHIFT) != 0;
  return out.key != 0;
}

bool MouseButtonEvent(const SDL_MouseButtonEvent& button, UiEvent& out) {
  if (!SurfaceOfWindow(button.windowID, out.surface)) return false;
  if (button.button != SDL_BUTTON_LEFT && button.button != SDL_BUTTON_RIGHT) return false;
  out.kind = button.type == SDL_MOUSEBUTTONDOWN ? UiEventKind::MouseDown : UiEventKind::MouseUp;
  out.button = button.button == SDL_BUTTON_LEFT ? 1 : 2;
  ToPicture(out.surface, button.x, button.y, out);
  return true;
}

}  // namespace

void PrepareTextInput() {
  // Long compositions arrive whole instead of cut at 32 bytes.
  SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
}

SDL_Window* SurfaceWindow(UiSurface surface) {
  return surface == UiSurface::GameWindow ? MainSdlWindow() : OwnSdlWindow();
}

SDL_Rect PictureArea(UiSurface surface) {
  SDL_Window* window = SurfaceWindow(surface);
  if (!window) return {0, 0, 0, 0};
  int outW = 0, outH = 0;
  SDL_GetWindowSize(window, &outW, &outH);
  int width = 0, height = 0;
  PictureSize(surface, &width, &height);
  const FitArea fit = FitPicture(outW, outH, width, height);
  return {fit.x, fit.y, fit.w, fit.h};
}

bool TranslateUiEvent(const SDL_Event& event, UiEvent& out) {
  out = UiEvent{};
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return KeyEvent(event.key, out);
    case SDL_TEXTINPUT:
      if (!SurfaceOfWindow(event.text.windowID, out.surface)) return false;
      out.kind = UiEventKind::Text;
      out.text = event.text.text;
      return true;
    case SDL_TEXTEDITING:
      if (!SurfaceOfWindow(event.edit.windowID, out.surface)) return false;
      out.kind = UiEventKind::Composition;
      out.text = event.edit.text;
      out.cursor = event.edit.start;
      return true;
    case SDL_TEXTEDITING_EXT:
      // The event owns its text, whoever it is for.
      if (event.editExt.text) {
        out.text = event.editExt.text;
        SDL_free(event.editExt.text);
      }
      if (!SurfaceOfWindow(event.editExt.windowID, out.surface)) return false;
      out.kind = UiEventKind::Composition;
      out.cursor = event.editExt.start;
      return true;
    case SDL_MOUSEMOTION:
      if (!SurfaceOfWindow(event.motion.windowID, out.surface)) return false;
      out.kind = UiEventKind::MouseMove;
      ToPicture(out.surface, event.motion.x, event.motion.y, out);
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return MouseButtonEvent(event.button, out);
    case SDL_MOUSEWHEEL:
      if (!SurfaceOfWindow(event.wheel.windowID, out.surface)) return false;
      out.kind = UiEventKind::MouseWheel;
      out.wheel = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      return true;
    case SDL_WINDOWEVENT:
      if (event.window.event != SDL_WINDOWEVENT_CLOSE || SurfaceWindow(UiSurface::OwnWindow) == nullptr ||
          event.window.windowID != SDL_GetWindowID(SurfaceWindow(UiSurface::OwnWindow)))
        return false;
      out.kind = UiEventKind::Close;
      out.surface = UiSurface::OwnWindow;
      return true;
    default:
      return false;
  }
}

SDL_Point PictureToWindow(UiSurface surface, int x, int y) {
  const SDL_Rect area = PictureArea(surface);
  int width = 0, height = 0;
  PictureSize(surface, &width, &height);
  if (width < 1 || height < 1 || area.w < 1 || area.h < 1) return {x, y};
  return {area.x + int(std::int64_t(x) * area.w / width), area.y + int(std::int64_t(y) * area.h / height)};
}

void StartTextInput(UiSurface surface, int x, int y, int width, int height) {
  const SDL_Point topLeft = PictureToWindow(surface, x, y);
  const SDL_Point bottomRight = PictureToWindow(surface, x + width, y + height);
  SDL_Rect rect{topLeft.x, topLeft.y, bottomRight.x - topLeft.x, bottomRight.y - topLeft.y};
  SDL_SetTextInputRect(&rect);
  if (!SDL_IsTextInputActive()) SDL_StartTextInput();
}

void StopTextInput() {
  if (SDL_IsTextInputActive()) SDL_StopTextInput();
}

}  // namespace platform::sdl
