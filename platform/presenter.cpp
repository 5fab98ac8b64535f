#include "platform/presenter.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/backend.h"

namespace platform {

namespace {

// A frame is converted on every hand-over, so a 32-bit row goes four pixels
// a step (at -O2 the compiler leaves the plain loop scalar).
void MaskRow(std::uint32_t* out, const std::uint32_t* in, int n) {
  typedef std::uint32_t u32x4 __attribute__((vector_size(16)));
  const u32x4 mask = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  int x = 0;
  for (; x + 4 <= n; x += 4) {
    u32x4 v;
    std::memcpy(&v, in + x, sizeof v);
    v &= mask;
    std::memcpy(out + x, &v, sizeof v);
  }
  for (; x < n; ++x) out[x] = in[x] & 0xFFFFFF;
}

}  // namespace

bool Presenter::Submit(const FrameView& frame) {
  if (frame.width < 1 || frame.height < 1 || frame.pitch < frame.width) return false;
  if (!frame.argb && !(frame.indexed && frame.palette)) return false;
  {
    std::lock_guard lock(m_mutex);
    if (m_state != DeviceState::Ok) return false;
    m_frame.resize(std::size_t(frame.width) * frame.height);
    std::uint32_t colours[256];
    if (!frame.argb)
      for (int i = 0; i < 256; ++i) colours[i] = frame.palette[i] & 0xFFFFFF;
    for (int y = 0; y < frame.height; ++y) {
      const std::size_t row = std::size_t(y) * frame.pitch;
      std::uint32_t* out = m_frame.data() + std::size_t(y) * frame.width;
      if (frame.argb) {
        MaskRow(out, frame.argb + row, frame.width);
      } else {
        for (int x = 0; x < frame.width; ++x) out[x] = colours[frame.indexed[row + x]];
      }
    }
    m_width = frame.width;
    m_height = frame.height;
    ++m_serial;
    m_pending = true;
  }
  FrameSubmitted();
  return true;
}

void Presenter::Configure(const PresenterSettings& settings) {
  std::lock_guard lock(m_mutex);
  m_settings = settings;
  if (m_settings.scalePercent < 100) m_settings.scalePercent = 100;
  if (m_settings.scalePercent > 500) m_settings.scalePercent = 500;
}

PresenterSettings Presenter::Settings() const {
  std::lock_guard lock(m_mutex);
  return m_settings;
}

std::vector<std::uint32_t> Presenter::LastFrame(int* width, int* height) const {
  std::lock_guard lock(m_mutex);
  *width = m_width;
  *height = m_height;
  return m_frame;
}

std::uint64_t Presenter::FrameSerial() const {
  std::lock_guard lock(m_mutex);
  return m_serial;
}

void Presenter::FrameSize(int* width, int* height) const {
  std::lock_guard lock(m_mutex);
  *width = m_width;
  *height = m_height;
}

bool Presenter::PendingFrameSize(int* width, int* height) const {
  std::lock_guard lock(m_mutex);
  *width = m_width;
  *height = m_height;
  return m_pending;
}

bool Presenter::TakePendingFrame(const std::function<bool(const std::uint32_t*, int, int)>& take) {
  std::lock_guard lock(m_mutex);
  if (!m_pending || !take(m_frame.data(), m_width, m_height)) return false;
  m_pending = false;
  return true;
}

bool Presenter::WritePng(const std::filesystem::path& file) const {
  int width = 0, height = 0;
  const std::vector<std::uint32_t> pixels = LastFrame(&width, &height);
  if (pixels.empty()) return false;
  std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(file.c_str(), "wb"), &std::fclose);
  if (!out) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<png_byte> row(std::size_t(width) * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, out.get());
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[std::size_t(y) * width + x];
      row[x * 3] = png_byte(p >> 16);
      row[x * 3 + 1] = png_byte(p >> 8);
      row[x * 3 + 2] = png_byte(p);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

DeviceState Presenter::State() const {
  std::lock_guard lock(m_mutex);
  return m_state;
}

bool Presenter::ResetDevice() {
  std::lock_guard lock(m_mutex);
  if (m_state != DeviceState::NotReset) return false;
  m_state = DeviceState::Ok;
  return true;
}

void Presenter::SetRenderResetCallback(std::function<void()> callback) {
  std::lock_guard lock(m_mutex);
  m_onReset = std::move(callback);
}

void Presenter::SimulateDeviceLost() {
  std::lock_guard lock(m_mutex);
  m_state = DeviceState::Lost;
}

void Presenter::SimulateDeviceResettable() {
  std::lock_guard lock(m_mutex);
  if (m_state == DeviceState::Lost) m_state = DeviceState::NotReset;
}

void Presenter::SetFrameShownCallback(std::function<void()> callback) {
  std::lock_guard lock(m_mutex);
  m_onShown = std::move(callback);
}

void Presenter::OnFrameShown() {
  std::function<void()> callback;
  {
    std::lock_guard lock(m_mutex);
    callback = m_onShown;
  }
  if (callback) callback();
}

void Presenter::OnRenderReset() {
  std::function<void()> callback;
  {
    std::lock_guard lock(m_mutex);
    m_state = DeviceState::NotReset;
    callback = m_onReset;
  }
  if (callback) callback();
}

Presenter& GetPresenter() {
  static std::unique_ptr<Presenter> presenter =
      CurrentBackend() == Backend::Sdl ? CreateSdlPresenter() : CreateHeadlessPresenter();
  return *presenter;
}

}  // namespace platform
