#include "platform/own_window.h"

#include <mutex>

#include "platform/backend.h"
#include "platform/presenter.h"
#include "platform/sdl/own_window.h"
#include "platform/window_backend.h"

namespace platform {
namespace {

// The picture, kept for both backends (tests read it; SDL also shows it).
struct Picture {
  std::mutex mutex;
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  bool open = false;
};

Picture& Shown() {
  static Picture picture;
  return picture;
}

}  // namespace

bool OpenOwnWindow(std::string_view utf8Title, int x, int y, int width, int height) {
  if (width < 1 || height < 1) return false;
  if (CurrentBackend() == Backend::Sdl && !sdl::OpenOwnWindow(utf8Title, x, y, width, height)) return false;
  std::lock_guard lock(Shown().mutex);
  Shown().open = true;
  Shown().pixels.clear();
  Shown().width = Shown().height = 0;
  return true;
}

void CloseOwnWindow() {
  if (CurrentBackend() == Backend::Sdl) sdl::CloseOwnWindow();
  std::lock_guard lock(Shown().mutex);
  Shown().open = false;
}

WindowFrame OwnWindowFrame() {
  if (!OwnWindowOpen()) return {};
  return CurrentBackend() == Backend::Sdl ? sdl::OwnWindowFrame() : HeadlessWindowManagerFrame();
}

void SetOwnWindowTitle(std::string_view utf8Title) {
  if (CurrentBackend() == Backend::Sdl) sdl::SetOwnWindowTitle(utf8Title);
}

bool OwnWindowOpen() {
  std::lock_guard lock(Shown().mutex);
  return Shown().open;
}

void ShowOwnWindowPicture(const std::vector<std::uint32_t>& pixels, int width, int height) {
  if (width < 1 || height < 1 || pixels.size() < std::size_t(width) * height) return;
  {
    std::lock_guard lock(Shown().mutex);
    if (!Shown().open) return;
    Shown().pixels = pixels;
    Shown().width = width;
    Shown().height = height;
  }
  if (CurrentBackend() == Backend::Sdl) sdl::ShowOwnWindowPicture(pixels, width, height);
}

void OwnWindowPictureSize(int* width, int* height) {
  std::lock_guard lock(Shown().mutex);
  *width = Shown().width;
  *height = Shown().height;
}

bool WriteOwnWindowPng(const std::filesystem::path& file) {
  std::unique_ptr<Presenter> writer = CreateHeadlessPresenter();
  {
    std::lock_guard lock(Shown().mutex);
    if (Shown().pixels.empty()) return false;
    FrameView frame;
    frame.width = Shown().width;
    frame.height = Shown().height;
    frame.pitch = Shown().width;
    frame.argb = Shown().pixels.data();
    if (!writer->Submit(frame)) return false;
  }
  return writer->WritePng(file);
}

}  // namespace platform
