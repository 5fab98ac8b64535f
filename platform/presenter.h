#pragma once
// Shows the finished frames of the game. Any thread hands over a frame
// (8-bit with its palette, or 32-bit); the SDL backend uploads the newest one
// on the main thread, in every pass of its loops, to a streaming texture and
// shows it scaled (100-500 %, nearest) or full screen. The headless backend
// keeps the last frame, which tests read or write as a PNG file.
//
// A lost device never happens by itself: SDL's render-reset events and the
// test hook below drive the restore path of the graphics layer.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

// One frame: either `indexed` with `palette` (256 entries 0x00RRGGBB) or
// `argb` (0xAARRGGBB, alpha ignored). `pitch` is in pixels.
struct FrameView {
  int width = 0;
  int height = 0;
  int pitch = 0;
  const std::uint8_t* indexed = nullptr;
  const std::uint32_t* palette = nullptr;
  const std::uint32_t* argb = nullptr;
};

struct PresenterSettings {
  bool fullScreen = false;
  int scalePercent = 100;  // window mode: 100 to 500
  bool vsync = false;
};

// Lost: frames are dropped until the device can be reset; NotReset: the
// device can be reset now (ResetDevice).
enum class DeviceState { Ok, Lost, NotReset };

class Presenter {
 public:
  virtual ~Presenter() = default;

  // Any thread. Copies the frame; false (frame dropped) unless the device is Ok.
  bool Submit(const FrameView& frame);
  void Configure(const PresenterSettings& settings);
  PresenterSettings Settings() const;

  // The last frame as 0x00RRGGBB pixels, row after row; empty before the first.
  std::vector<std::uint32_t> LastFrame(int* width, int* height) const;
  bool WritePng(const std::filesystem::path& file) const;
  // Counts the frames handed over; a dialog drawn over the game sees by it
  // that a newer game frame arrived.
  std::uint64_t FrameSerial() const;
  // The size of the last frame (0 x 0 before the first).
  void FrameSize(int* width, int* height) const;

  DeviceState State() const;
  // NotReset -> Ok; false in any other state.
  bool ResetDevice();
  // Called (on the thread that saw it) when the device needs a restore.
  void SetRenderResetCallback(std::function<void()> callback);
  // Called on the main thread each time a presenter that shows a window has
  // put a frame on the screen (the start-up benchmark times the first).
  void SetFrameShownCallback(std::function<void()> callback);
  // Main thread, before the game's first frame: readies what showing a
  // frame of this size takes (a texture, and the renderer's first drawing of
  // one, which may compile code) in the next pass of the main loop, while the
  // game draws that frame, so the frame shows as soon as it comes. Nothing is
  // put on the screen; a frame that came first is simply shown.
  virtual void PrepareFor(int /*width*/, int /*height*/) {}

  // Test hooks: the device is lost; later it may be reset.
  void SimulateDeviceLost();
  void SimulateDeviceResettable();

 protected:
  // Backends: the renderer was reset; the device must be restored.
  void OnRenderReset();
  void OnFrameShown();
  // The size of the newest frame not yet shown; false when there is none.
  bool PendingFrameSize(int* width, int* height) const;
  // Hands the newest frame not yet shown to `take` (its pixels, width and
  // height) while no new frame can replace it; the frame counts as shown
  // when `take` gives true. False when there was none or `take` refused it.
  // `take` must not call back into the presenter.
  bool TakePendingFrame(const std::function<bool(const std::uint32_t*, int, int)>& take);
  virtual void FrameSubmitted() {}

 private:
  mutable std::mutex m_mutex;
  std::vector<std::uint32_t> m_frame;
  int m_width = 0;
  int m_height = 0;
  std::uint64_t m_serial = 0;
  bool m_pending = false;
  PresenterSettings m_settings;
  DeviceState m_state = DeviceState::Ok;
  std::function<void()> m_onReset;
  std::function<void()> m_onShown;
};

// The presenter of the selected backend (created on first use).
Presenter& GetPresenter();
// A presenter of either backend, for tests that drive one directly.
std::unique_ptr<Presenter> CreateSdlPresenter();
std::unique_ptr<Presenter> CreateHeadlessPresenter();

}  // namespace platform
