// No window: the state is only recorded, and the application is active from
// the moment the window exists. The desktop and the events come from the
// script in platform/headless_window.h.
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/headless_window.h"
#include "platform/window_backend.h"

namespace platform {
namespace {

class HeadlessWindow final : public WindowBackend {
 public:
  bool Create(int clientWidth, int clientHeight) override {
    std::lock_guard lock(mutex_);
    rect_ = {100, 100, clientWidth, clientHeight};
    exists_ = true;
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
    if (life_.timesShown++ == 0) {
      life_.renderedWhenShown = hasRenderer_;
      life_.rectWhenShown = rect_;
    }
  }
  void Move(int x, int y) override {
    std::lock_guard lock(mutex_);
    rect_.x = x;
    rect_.y = y;
    if (life_.timesShown > 0) ++life_.placedWhileShown;
  }
  WindowRect Rect() const override {
    std::lock_guard lock(mutex_);
    return rect_;
  }
  void Place(int x, int y, int clientWidth, int clientHeight) override {
    std::lock_guard lock(mutex_);
    rect_ = {x, y, clientWidth, clientHeight};
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
  WindowRect Desktop() const override {
    std::lock_guard lock(mutex_);
    return desktop_.bounds;
  }
  WindowRect WorkArea() const override {
    std::lock_guard lock(mutex_);
    return desktop_.workArea;
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
    maximised_ = minimised_ = false;
  }

 private:
  mutable std::mutex mutex_;
  WindowRect rect_;
  HeadlessDesktop desktop_;
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
void SetHeadlessWindowState(bool maximised, bool minimised) { Instance().SetState(maximised, minimised); }
HeadlessWindowLife HeadlessWindowHistory() { return Instance().Life(); }
void ResetHeadlessWindow() { Instance().Reset(); }

}  // namespace platform
