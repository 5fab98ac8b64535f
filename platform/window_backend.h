#pragma once
// The window service as each backend provides it (internal to platform/).

#include <string>

#include "platform/window.h"

namespace platform {

class WindowBackend {
 public:
  virtual ~WindowBackend() = default;
  virtual bool Create(int clientWidth, int clientHeight) = 0;
  virtual void Destroy() = 0;
  virtual bool Exists() const = 0;
  virtual void SetTitle(const std::string& utf8Title) = 0;
  virtual void Centre() = 0;
  virtual void Show(bool maximised) = 0;
  virtual void Move(int x, int y) = 0;
  virtual WindowRect Rect() const = 0;
  virtual WindowRect WorkArea() const = 0;
  // Handles the window events that arrived, reporting closes and changes of
  // activation to the handlers.
  virtual void PollEvents(const EventHandlers& handlers) = 0;
  // Blocks until an event arrives, Wake is called or the time-out passes.
  virtual void WaitForEvent(int timeoutMs) = 0;
  // Any thread: ends a WaitForEvent early.
  virtual void Wake() = 0;
};

WindowBackend& HeadlessWindowBackend();
WindowBackend& SdlWindowBackend();

}  // namespace platform
