// No window: the state is only recorded, and the application is active from
// the moment the window exists.
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/window_backend.h"

namespace platform {
namespace {

constexpr int kDesktopWidth = 1920;
constexpr int kDesktopHeight = 1080;

class HeadlessWindow final : public WindowBackend {
 public:
  bool Create(int clientWidth, int clientHeight) override {
    rect_ = {100, 100, clientWidth, clientHeight};
    exists_ = true;
    activationReported_ = false;
    return true;
  }
  void Destroy() override { exists_ = false; }
  bool Exists() const override { return exists_; }
  void SetTitle(const std::string&) override {}
  void Centre() override {
    rect_.x = (kDesktopWidth - rect_.width) / 2;
    rect_.y = (kDesktopHeight - rect_.height) / 2;
  }
  void Show(bool) override {}
  void Move(int x, int y) override {
    rect_.x = x;
    rect_.y = y;
  }
  WindowRect Rect() const override { return rect_; }
  WindowRect WorkArea() const override { return {0, 0, kDesktopWidth, kDesktopHeight}; }
  void PollEvents(const EventHandlers& handlers) override {
    if (!activationReported_) {
      activationReported_ = true;
      if (handlers.onActivate) handlers.onActivate(true);
    }
    // One scripted event per pass, and only to a loop that takes them.
    UiEvent event;
    if (handlers.onInput && TakeHeadlessUiEvent(event)) handlers.onInput(event);
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

 private:
  WindowRect rect_;
  bool exists_ = false;
  bool activationReported_ = false;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool woken_ = false;
};

}  // namespace

WindowBackend& HeadlessWindowBackend() {
  static HeadlessWindow window;
  return window;
}

}  // namespace platform
