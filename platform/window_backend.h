#pragma once
// The window service as each backend provides it (internal to platform/).

#include <optional>
#include <string>
#include <vector>

#include "platform/window.h"

namespace platform {

class WindowBackend {
 public:
  virtual ~WindowBackend() = default;
  virtual bool Create(int clientWidth, int clientHeight) = 0;
  // The renderer of the created window, made while the window is hidden.
  virtual bool CreateRenderer() = 0;
  virtual void Destroy() = 0;
  virtual bool Exists() const = 0;
  virtual void SetTitle(const std::string& utf8Title) = 0;
  virtual void Show(bool maximised) = 0;
  // Positions of the inner area; a window whose frame is not known yet may
  // land with the frame's corner there instead (the window manager's
  // doing), which platform/window_placement.h puts right.
  virtual void Move(int x, int y) = 0;
  virtual WindowRect Rect() const = 0;
  virtual void Place(int x, int y, int clientWidth, int clientHeight) = 0;
  virtual bool Maximised() const = 0;
  virtual bool Minimised() const = 0;
  virtual bool FullScreen() const = 0;
  // The window manager's frame around the window; all 0 until it is known
  // (a window not yet shown) and where there is none.
  virtual WindowFrame Frame() const = 0;
  virtual void SetResizable(bool resizable) = 0;
  virtual void SetSizeLimits(int minWidth, int minHeight, int maxWidth, int maxHeight) = 0;
  virtual int DesktopDepth() const = 0;
  virtual int RefreshRate() const = 0;
  // The monitors, the primary one first; none without a display.
  virtual std::vector<Monitor> Monitors() const = 0;
  virtual std::optional<std::string> DisplayProblem() const = 0;
  virtual std::string Description() const = 0;
  // Handles the window events that arrived, reporting closes and changes of
  // activation to the handlers.
  virtual void PollEvents(const EventHandlers& handlers) = 0;
  // Blocks until an event arrives, Wake is called or the time-out passes.
  virtual void WaitForEvent(int timeoutMs) = 0;
  // Any thread: ends a WaitForEvent early.
  virtual void Wake() = 0;
};

WindowBackend& HeadlessWindowBackend();
// The frame the headless window manager draws around every window once shown.
WindowFrame HeadlessWindowManagerFrame();
WindowBackend& SdlWindowBackend();

}  // namespace platform
