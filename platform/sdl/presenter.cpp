// The SDL presenter: the main thread uploads the newest frame to a streaming
// texture and shows it scaled with nearest sampling (see platform/presenter.h).
#include <SDL.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/first_frame.h"
#include "platform/main_thread.h"
#include "platform/presenter.h"
#include "platform/sdl/picture_fit.h"
#include "platform/sdl/unmanaged_full_screen.h"
#include "platform/sdl/window.h"

namespace platform {
namespace {

using sdl::FitArea;
using sdl::FitPicture;

class SdlPresenter final : public Presenter {
 public:
  SdlPresenter() { SDL_AddEventWatch(&SdlPresenter::WatchEvents, this); }
  ~SdlPresenter() override {
    SDL_DelEventWatch(&SdlPresenter::WatchEvents, this);
    if (OwnsLiveRenderer()) DestroyRenderer();
  }

 protected:
  void FrameSubmitted() override { AddLoopTask(); }

 private:
  // The loop task outlives no presenter: it holds only a weak reference.
  void AddLoopTask() {
    std::call_once(m_taskAdded, [this] {
      std::weak_ptr<SdlPresenter*> self = m_self;
      AddMainLoopTask([self] {
        if (auto alive = self.lock()) (*alive)->ServeLoopPass();
      });
    });
  }

  // A frame that has come is shown, which readies the same as a warm-up.
  void ServeLoopPass() {
    int width = 0, height = 0;
    if (m_warmUp && !PendingFrameSize(&width, &height)) {
      WarmUp(m_warmUp->first, m_warmUp->second);
      m_warmUp.reset();
      return;
    }
    m_warmUp.reset();
    ShowPendingFrame();
  }

  static int WatchEvents(void* self, SDL_Event* event) {
    if (event->type == SDL_RENDER_TARGETS_RESET || event->type == SDL_RENDER_DEVICE_RESET) {
      auto* presenter = static_cast<SdlPresenter*>(self);
      presenter->m_textureStale = true;
      presenter->OnRenderReset();
    }
    // An uncovered or resized window is shown again from the last finished
    // frame, also while no new frame comes (a pause, a dialog, inactivity).
    if (event->type == SDL_WINDOWEVENT &&
        (event->window.event == SDL_WINDOWEVENT_EXPOSED || event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED))
      static_cast<SdlPresenter*>(self)->m_redraw = true;
    return 0;
  }

  // A renderer goes with its window: once the window is gone (or replaced)
  // the pointers are stale and must not be destroyed again.
  bool OwnsLiveRenderer() const {
    SDL_Window* window = sdl::MainSdlWindow();
    return m_renderer && window && SDL_GetRenderer(window) == m_renderer;
  }

  void DestroyRenderer() {
    if (m_texture) SDL_DestroyTexture(m_texture);
    if (m_renderer) SDL_DestroyRenderer(m_renderer);
    m_texture = nullptr;
    m_renderer = nullptr;
  }

  // Renderer and texture for the window, the frame size and the vsync wish.
  // The window comes with its renderer, made before it was first shown.
  bool Prepare(SDL_Window* window, int width, int height, bool vsync) {
    if (SDL_Renderer* windows = SDL_GetRenderer(window); windows != m_renderer) {
      m_renderer = windows;
      m_texture = nullptr;
      m_vsyncApplied = false;
    }
    if (!m_renderer) {
      m_renderer = SDL_CreateRenderer(window, -1, 0);
      if (!m_renderer) return false;
    }
    if (!m_vsyncApplied || m_vsync != vsync) {
      // A renderer that cannot wait for the display presents without waiting.
      SDL_RenderSetVSync(m_renderer, vsync ? 1 : 0);
      m_vsync = vsync;
      m_vsyncApplied = true;
    }
    if (m_texture && (m_textureStale || m_textureWidth != width || m_textureHeight != height)) {
      SDL_DestroyTexture(m_texture);
      m_texture = nullptr;
    }
    if (!m_texture) {
      m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
      if (!m_texture) return false;
      SDL_SetTextureScaleMode(m_texture, SDL_ScaleModeNearest);
      m_textureWidth = width;
      m_textureHeight = height;
      m_textureStale = false;
      m_textureHoldsFrame = false;
    }
    return true;
  }

  void ApplyWindowSize(SDL_Window* window, const PresenterSettings& settings, int width, int height) {
    const bool fullScreen = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    if (settings.fullScreen != fullScreen) {
      SDL_SetWindowFullscreen(window, settings.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
      if (settings.fullScreen) sdl::CoverTheMonitorWhereNoWindowManagerDoes(window);
    }
    if (!settings.fullScreen && settings.scalePercent != m_appliedScale) {
      SDL_SetWindowSize(window, width * settings.scalePercent / 100, height * settings.scalePercent / 100);
      m_appliedScale = settings.scalePercent;
    }
  }

  // Done in the main loop's first pass: the game thread draws its first
  // frame meanwhile, as it starts once that pass has seen the window active.
  void PrepareFor(int width, int height) override {
    m_warmUp.emplace(width, height);
    AddLoopTask();
  }

  void WarmUp(int width, int height) {
    SDL_Window* window = sdl::MainSdlWindow();
    if (!window || !Prepare(window, width, height, Settings().vsync)) return;
    // Drawn to the back buffer only: the first frame clears it before it is shown.
    SDL_RenderCopy(m_renderer, m_texture, nullptr, nullptr);
    SDL_RenderFlush(m_renderer);
  }

  void ShowPendingFrame() {
    SDL_Window* window = sdl::MainSdlWindow();
    if (!window) return;
    int width = 0, height = 0;
    const bool redraw = m_redraw.exchange(false);
    if (PendingFrameSize(&width, &height)) {
      const PresenterSettings settings = Settings();
      ApplyWindowSize(window, settings, width, height);
      if (!Prepare(window, width, height, settings.vsync)) return;
      // Uploaded straight from the handed-over frame; a frame of another
      // size that came meanwhile waits for the next pass.
      const bool uploaded = TakePendingFrame([&](const std::uint32_t* pixels, int w, int h) {
        if (w != m_textureWidth || h != m_textureHeight) return false;
        SDL_UpdateTexture(m_texture, nullptr, pixels, w * 4);
        return true;
      });
      if (!uploaded) return;
      m_textureHoldsFrame = true;
    } else if (redraw && m_texture && m_textureHoldsFrame && !m_textureStale && OwnsLiveRenderer()) {
      width = m_textureWidth;
      height = m_textureHeight;
    } else {
      return;
    }
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(m_renderer, &outW, &outH);
    const FitArea fit = FitPicture(outW, outH, width, height);
    const SDL_Rect target{fit.x, fit.y, fit.w, fit.h};
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_texture, nullptr, &target);
    SDL_RenderPresent(m_renderer);
    FirstFrameDone();
    OnFrameShown();
  }

  std::shared_ptr<SdlPresenter*> m_self = std::make_shared<SdlPresenter*>(this);
  std::once_flag m_taskAdded;
  // The frame size to ready before the first frame comes (see PrepareFor).
  std::optional<std::pair<int, int>> m_warmUp;
  SDL_Renderer* m_renderer = nullptr;
  SDL_Texture* m_texture = nullptr;
  int m_textureWidth = 0;
  int m_textureHeight = 0;
  // The warm-up's texture holds no frame: an uncovered window before the
  // first frame shows nothing, and the work waiting for that frame waits on.
  bool m_textureHoldsFrame = false;
  std::atomic<bool> m_textureStale{false};
  std::atomic<bool> m_redraw{false};
  bool m_vsync = false;
  bool m_vsyncApplied = false;
  // The window is made at 100 %; a size the shell gives it stays.
  int m_appliedScale = 100;
};

}  // namespace

std::unique_ptr<Presenter> CreateSdlPresenter() { return std::make_unique<SdlPresenter>(); }

}  // namespace platform
