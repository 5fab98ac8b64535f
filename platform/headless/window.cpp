// No window: the state is only recorded, and the application is active from
// the moment the window exists. The desktop, the window manager's frame and
// the events come from the script in platform/headless_window.h.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/headless_window.h"
#include "platform/window_backend.h"

namespace platform {
namespace {

class HeadlessWindow final : public WindowBackend {
 public:
  bool Create(int clientWidth, int clientHeight) override {
    std::lock_guard lock(mutex_);
    const WindowRect& primary = desktop_.bounds;
    rect_ = {primary.x + (primary.width - clientWidth) / 2, primary.y + (primary.height - clientHeight) / 2,
             clientWidth, clientHeight};
    exists_ = true;
    framed_ = false;
    maximised_ = minimised_ = false;
    activationReported_ = false;
    hasRenderer_ = false;
    life_ = HeadlessWindowLife{};
    return true;
  }
  bool CreateRenderer() override {
    std::lock_guard lock(mutex_);
    hasRenderer_ = exists_;
    return exists_;
  }
  void Destroy() override {
    std::lock_guard lock(mutex_);
    exists_ = false;
  }
  bool Exists() const override {
    std::lock_guard lock(mutex_);
    return exists_;
  }
  void SetTitle(const std::string&) override {}
  void Show(bool maximised) override {
    std::lock_guard lock(mutex_);
    if (maximised) maximised_ = true;
    // The window manager frames the window as it is shown.
    framed_ = true;
    if (life_.timesShown++ == 0) {
      life_.renderedWhenShown = hasRenderer_;
      life_.rectWhenShown = rect_;
    }
  }
  void Move(int x, int y) override {
    std::lock_guard lock(mutex_);
    PlaceInner(x, y);
    if (life_.timesShown > 0) ++life_.placedWhileShown;
  }
  WindowRect Rect() const override {
    std::lock_guard lock(mutex_);
    return rect_;
  }
  void Place(int x, int y, int clientWidth, int clientHeight) override {
    std::lock_guard lock(mutex_);
    rect_.width = clientWidth;
    rect_.height = clientHeight;
    PlaceInner(x, y);
    if (life_.timesShown > 0) ++life_.placedWhileShown;
  }
  bool Maximised() const override {
    std::lock_guard lock(mutex_);
    return maximised_;
  }
  bool Minimised() const override {
    std::lock_guard lock(mutex_);
    return minimised_;
  }
  bool FullScreen() const override { return false; }
  WindowFrame Frame() const override {
    std::lock_guard lock(mutex_);
    return framed_ ? frame_ : WindowFrame{};
  }
  void SetResizable(bool) override {}
  void SetSizeLimits(int, int, int, int) override {}
  int DesktopDepth() const override {
    std::lock_guard lock(mutex_);
    return desktop_.depth;
  }
  int RefreshRate() const override {
    std::lock_guard lock(mutex_);
    return desktop_.refreshRate;
  }
  std::vector<Monitor> Monitors() const override {
    std::lock_guard lock(mutex_);
    std::vector<Monitor> monitors{{desktop_.bounds, desktop_.workArea}};
    monitors.insert(monitors.end(), desktop_.otherMonitors.begin(), desktop_.otherMonitors.end());
    return monitors;
  }
  std::optional<std::string> DisplayProblem() const override { return std::nullopt; }
  std::string Description() const override { return "headless display, software renderer"; }

  void PollEvents(const EventHandlers& handlers) override {
    bool reportActivation = false;
    {
      std::lock_guard lock(mutex_);
      reportActivation = !activationReported_;
      activationReported_ = true;
    }
    if (reportActivation && handlers.onActivate) handlers.onActivate(true);
    // One scripted event per pass, and only to a loop that takes them.
    UiEvent input;
    if (handlers.onInput && TakeHeadlessUiEvent(input)) handlers.onInput(input);
  }
  void WaitForEvent(int timeoutMs) override {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return woken_; });
    woken_ = false;
  }
  void Wake() override {
    std::lock_guard lock(mutex_);
    woken_ = true;
    wake_.notify_all();
  }

  void SetDesktop(const HeadlessDesktop& desktop) {
    std::lock_guard lock(mutex_);
    desktop_ = desktop;
  }
  void SetFrame(const WindowFrame& frame) {
    std::lock_guard lock(mutex_);
    frame_ = frame;
  }
  WindowFrame ManagerFrame() const {
    std::lock_guard lock(mutex_);
    return frame_;
  }
  void SetState(bool maximised, bool minimised) {
    std::lock_guard lock(mutex_);
    maximised_ = maximised;
    minimised_ = minimised;
  }
  HeadlessWindowLife Life() const {
    std::lock_guard lock(mutex_);
    return life_;
  }
  void Reset() {
    std::lock_guard lock(mutex_);
    desktop_ = HeadlessDesktop{};
    frame_ = WindowFrame{};
    maximised_ = minimised_ = false;
  }

 private:
  // A window not framed yet is placed as a window manager places it: with
  // the frame's corner at the point asked for.
  void PlaceInner(int x, int y) {
    rect_.x = framed_ ? x : x + frame_.left;
    rect_.y = framed_ ? y : y + frame_.top;
  }

  mutable std::mutex mutex_;
  WindowRect rect_;
  HeadlessDesktop desktop_;
  WindowFrame frame_;
  bool framed_ = false;
  bool exists_ = false;
  bool maximised_ = false;
  bool minimised_ = false;
  bool activationReported_ = false;
  bool hasRenderer_ = false;
  HeadlessWindowLife life_;
  std::condition_variable wake_;
  bool woken_ = false;
};

HeadlessWindow& Instance() {
  static HeadlessWindow window;
  return window;
}

}  // namespace

WindowBackend& HeadlessWindowBackend() { return Instance(); }

void SetHeadlessDesktop(const HeadlessDesktop& desktop) { Instance().SetDesktop(desktop); }
void SetHeadlessWindowFrame(const WindowFrame& frame) { Instance().SetFrame(frame); }
WindowFrame HeadlessWindowManagerFrame() { return Instance().ManagerFrame(); }
void SetHeadlessWindowState(bool maximised, bool minimised) { Instance().SetState(maximised, minimised); }
HeadlessWindowLife HeadlessWindowHistory() { return Instance().Life(); }
void ResetHeadlessWindow() { Instance().Reset(); }

}  // namespace platform
