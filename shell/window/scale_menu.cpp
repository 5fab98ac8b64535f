#include "shell/window/scale_menu.h"

#include <algorithm>
#include <cstdint>

#include "graphics/device/device.h"
#include "platform/clock.h"
#include "platform/main_thread.h"
#include "platform/presenter.h"
#include "shell/app_state.h"
#include "shell/dialogs/dialog_canvas.h"
#include "shell/dialogs/dialog_font.h"
#include "shell/window/main_window_object.h"
#include "shell/worker_threads.h"

namespace {

constexpr int kBaseWidth = 640;
constexpr int kBaseHeight = 480;
constexpr int kMaxScale = 5;
constexpr int kItemHeight = 20;
constexpr int kMenuWidth = 150;
constexpr int kBorder = 2;
constexpr int kTextIndent = 10;

// The menu as drawn over the held game picture.
class ScaleMenu {
 public:
  ScaleMenu(std::vector<ScaleMenuItem> items, int x, int y) : m_items(std::move(items)) {
    m_background = platform::GetPresenter().LastFrame(&m_width, &m_height);
    if (m_background.empty()) {
      m_width = kBaseWidth;
      m_height = kBaseHeight;
      m_background.assign(std::size_t(m_width) * m_height, 0);
    }
    m_box = {x, y, kMenuWidth, static_cast<int>(m_items.size()) * kItemHeight + 2 * kBorder};
    m_box.x = std::clamp(m_box.x, 0, std::max(0, m_width - m_box.w));
    m_box.y = std::clamp(m_box.y, 0, std::max(0, m_height - m_box.h));
  }

  int Run() {
    Draw();
    platform::EventHandlers handlers;
    handlers.onInput = [this](const platform::UiEvent& event) { Dispatch(event); };
    // Closing the window ends the menu; the close runs once the game goes on.
    handlers.onClose = [this](platform::CloseReason reason) {
      platform::RequestClose(reason);
      Choose(-1);
    };
    while (!m_done && !platform::QuitPosted() && !platform::ForcedClosePending()) {
      platform::PumpEvents(handlers);
      platform::SleepMs(1);
    }
    Show(m_background);
    return m_chosen;
  }

 private:
  int ItemAt(int x, int y) const {
    const DialogRect inner = m_box.Inset(kBorder);
    if (!inner.Contains(x, y)) return -1;
    return std::min((y - inner.y) / kItemHeight, static_cast<int>(m_items.size()) - 1);
  }

  void Choose(int index) {
    if (index >= 0) m_chosen = m_items[index].scale;
    m_done = true;
  }

  void Highlight(int index) {
    if (index == m_highlight) return;
    m_highlight = index;
    Draw();
  }

  void Dispatch(const platform::UiEvent& event) {
    using platform::UiEventKind;
    const int count = static_cast<int>(m_items.size());
    switch (event.kind) {
      case UiEventKind::MouseMove:
        Highlight(ItemAt(event.x, event.y));
        break;
      case UiEventKind::MouseDown:
        Choose(ItemAt(event.x, event.y));  // a click outside dismisses the menu
        break;
      case UiEventKind::KeyDown:
        if (event.key == platform::kVkDown) Highlight((m_highlight + 1) % count);
        if (event.key == platform::kVkUp) Highlight((m_highlight + count - 1) % count);
        if (event.key == platform::kVkReturn) Choose(m_highlight);
        if (event.key == platform::kVkEscape) Choose(-1);
        break;
      case UiEventKind::Close:
        platform::RequestClose(platform::CloseReason::User);
        Choose(-1);
        break;
      default:
        break;
    }
  }

  void Draw() {
    using namespace dialog_colors;
    DialogCanvas menu(m_box.w, m_box.h, kFace);
    menu.RaisedEdge({0, 0, m_box.w, m_box.h});
    const int textTop = (kItemHeight - DialogFont::Get().LineHeight()) / 2;
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
      const DialogRect row{kBorder, kBorder + i * kItemHeight, m_box.w - 2 * kBorder, kItemHeight};
      const bool lit = i == m_highlight;
      if (lit) menu.Fill(row, kHighlight);
      menu.Text(row.x + kTextIndent, row.y + textTop, m_items[i].label, lit ? kHighlightText : kText);
    }
    std::vector<std::uint32_t> picture = m_background;
    for (int row = 0; row < m_box.h && m_box.y + row < m_height; ++row)
      for (int col = 0; col < m_box.w && m_box.x + col < m_width; ++col)
        picture[std::size_t(m_box.y + row) * m_width + m_box.x + col] = menu.At(col, row);
    Show(picture);
  }

  void Show(const std::vector<std::uint32_t>& picture) {
    platform::FrameView frame;
    frame.width = m_width;
    frame.height = m_height;
    frame.pitch = m_width;
    frame.argb = picture.data();
    platform::GetPresenter().Submit(frame);
  }

  std::vector<ScaleMenuItem> m_items;
  std::vector<std::uint32_t> m_background;
  int m_width = 0;
  int m_height = 0;
  DialogRect m_box;
  int m_highlight = -1;
  int m_chosen = 0;
  bool m_done = false;
};

}  // namespace

std::vector<ScaleMenuItem> ScaleMenuItems(const platform::WindowRect& workArea) {
  std::vector<ScaleMenuItem> items;
  for (int scale = 1; scale <= kMaxScale; ++scale) {
    const int width = kBaseWidth * scale, height = kBaseHeight * scale;
    if (workArea.width < width || workArea.height < height) continue;
    items.push_back({scale, std::to_string(scale * 100) + "% (" + std::to_string(width) + "*" +
                                std::to_string(height) + ")"});
  }
  return items;
}

platform::WindowRect ScaledWindowPlace(const platform::WindowRect& window, const platform::WindowRect& workArea,
                                       int scale) {
  platform::WindowRect place{0, window.y, kBaseWidth * scale, kBaseHeight * scale};
  place.x = window.x + window.width / 2 - place.width / 2;
  place.x = std::max(place.x, workArea.x);
  place.y = std::max(place.y, workArea.y);
  const int right = workArea.x + workArea.width, bottom = workArea.y + workArea.height;
  if (place.x + place.width > right) place.x = right - place.width;
  if (place.y + place.height > bottom) place.y = bottom - place.height;
  return place;
}

bool ScaleMenuAvailable() { return lpDTCon != nullptr && g_bWindowed && platform::MainWindowExists(); }

int RunScaleMenu(int x, int y) {
  const platform::WindowRect workArea = platform::DesktopWorkArea();
  std::vector<ScaleMenuItem> items = ScaleMenuItems(workArea);
  if (items.empty()) return 0;
  SuspendThreads();
  const int scale = ScaleMenu(std::move(items), x, y).Run();
  ResumeThreads();
  if (scale == 0) return 0;
  const platform::WindowRect place = ScaledWindowPlace(platform::MainWindowRect(), workArea, scale);
  g_MainWindow.FitClientAt(place.x, place.y, place.width, place.height);
  return scale;
}
