#include "shell/dialogs/dialog_box.h"

#include <algorithm>
#include <utility>

#include "foundation/message_box.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/input_devices.h"
#include "platform/main_thread.h"
#include "platform/own_window.h"
#include "platform/presenter.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "shell/dialogs/button_items.h"
#include "shell/dialogs/dialog_font.h"
#include "shell/dialogs/edit_item.h"
#include "shell/dialogs/label_items.h"
#include "shell/dialogs/list_item.h"
#include "shell/main_window.h"

namespace {

constexpr int kFrameWidth = 3;
constexpr int kCaptionHeight = 20;
constexpr int kDoubleClickMs = 500;
constexpr int kKeyRepeatCount = 1;
constexpr int kGameWidth = 640;
constexpr int kGameHeight = 480;

std::vector<DialogBox*> g_running;
DialogObserver g_observer;
// The presenter's frame count right after the toolkit's last picture: any
// other count means the game handed over a frame since.
std::uint64_t g_ownSerial = 0;

// The closes taken while a dialog runs, raised again once it has ended: the
// player's, and the strongest of the others.
class DeferredCloses {
 public:
  void Keep(platform::CloseReason reason) {
    if (reason == platform::CloseReason::User)
      m_user = true;
    else if (!m_forced || reason == platform::CloseReason::Terminate)
      m_forced = reason;
  }
  void RaiseAgain() const {
    if (m_user) platform::RequestClose(platform::CloseReason::User);
    if (m_forced) platform::RequestClose(*m_forced);
  }

 private:
  bool m_user = false;
  std::optional<platform::CloseReason> m_forced;
};

std::unique_ptr<DialogItem> MakeItem(const ItemTemplate& item, const DialogRect& rect) {
  std::string text = Cp932Literal(item.text);
  switch (item.kind) {
    case ItemKind::GroupBox: return std::make_unique<GroupBoxItem>(item.id, item.kind, rect, text, item.tabStop);
    case ItemKind::PushButton:
    case ItemKind::DefPushButton: return std::make_unique<PushButtonItem>(item.id, item.kind, rect, text, item.tabStop);
    case ItemKind::CheckBox: return std::make_unique<CheckBoxItem>(item.id, item.kind, rect, text, item.tabStop);
    case ItemKind::RadioButton: return std::make_unique<RadioButtonItem>(item.id, item.kind, rect, text, item.tabStop);
    case ItemKind::Edit: return std::make_unique<EditItem>(item.id, item.kind, rect, text, item.tabStop);
    case ItemKind::List: return std::make_unique<ListItem>(item.id, item.kind, rect, text, item.tabStop);
    case ItemKind::Picture: return std::make_unique<PictureItem>(item.id, item.kind, rect, text, item.tabStop);
    case ItemKind::Static: break;
  }
  return std::make_unique<StaticItem>(item.id, item.kind, rect, text, item.tabStop);
}

// -1 for Left and Up, +1 for Right and Down.
int ArrowStep(int key) {
  if (key == platform::kVkLeft || key == platform::kVkUp) return -1;
  if (key == platform::kVkRight || key == platform::kVkDown) return 1;
  return 0;
}

std::uint32_t KeyData(const platform::UiEvent& event) {
  return kKeyRepeatCount | (event.kind == platform::UiEventKind::KeyUp ? kKeyDataUp : 0);
}

}  // namespace

bool DialogIsRunning() { return !g_running.empty(); }

void SetDialogObserver(DialogObserver observer) { g_observer = std::move(observer); }

DialogBox::DialogBox(const DialogTemplate& layout, DialogHandler& handler)
    : m_handler(handler), m_caption(Cp932Literal(layout.caption)), m_hasCaption(layout.hasCaption), m_visible(layout.visible) {
  const DialogFont& font = DialogFont::Get();
  m_clientWidth = font.DluToPixelsX(layout.width);
  m_clientHeight = font.DluToPixelsY(layout.height);
  for (const ItemTemplate& item : layout.items) {
    const DialogRect rect{font.DluToPixelsX(item.x), font.DluToPixelsY(item.y), font.DluToPixelsX(item.w),
                          font.DluToPixelsY(item.h)};
    m_items.push_back(MakeItem(item, rect));
  }
}

DialogBox::~DialogBox() {
  if (m_pHook) m_pHook->m_hWnd = nullptr;
}

void DialogBox::SetCaption(std::string cp932) {
  m_caption = std::move(cp932);
  if (m_running && m_surface == platform::UiSurface::OwnWindow) platform::SetOwnWindowTitle(platform::Utf8FromCp932(m_caption));
  m_dirty = true;
}

DialogItem* DialogBox::Item(int id) const {
  for (const auto& item : m_items)
    if (item->Id() == id) return item.get();
  return nullptr;
}

void DialogBox::SetItemText(int id, std::string cp932) {
  if (DialogItem* item = Item(id)) item->SetText(*this, std::move(cp932));
  m_dirty = true;
}

std::string DialogBox::ItemText(int id) const {
  const DialogItem* item = Item(id);
  return item ? item->Text() : std::string();
}

void DialogBox::SetCheck(int id, int check) {
  if (DialogItem* item = Item(id)) item->SetCheck(check);
  m_dirty = true;
}

int DialogBox::GetCheck(int id) const {
  const DialogItem* item = Item(id);
  return item ? item->Check() : 0;
}

void DialogBox::SetFocus(int id) {
  if (DialogItem* item = Item(id); item && item->TakesFocus()) FocusItem(item, false);
}

int DialogBox::FocusedId() const { return m_focus ? m_focus->Id() : 0; }

void DialogBox::Click(int id) {
  if (DialogItem* item = Item(id); item && item->Enabled()) item->Press(*this);
  m_dirty = true;
}

void DialogBox::End(int result) {
  m_result = result;
  m_ended = true;
}

void DialogBox::Notify(int id, int code) {
  m_dirty = true;
  m_handler.Command(id, code);
}

void DialogBox::RadioChosen(int id) {
  // The group: the run of radio buttons around the chosen one.
  auto chosen = std::find_if(m_items.begin(), m_items.end(), [id](const auto& item) { return item->Id() == id; });
  if (chosen == m_items.end()) return;
  auto first = chosen, last = chosen;
  while (first != m_items.begin() && (*(first - 1))->Kind() == ItemKind::RadioButton) --first;
  while (last + 1 != m_items.end() && (*(last + 1))->Kind() == ItemKind::RadioButton) ++last;
  for (auto it = first; it <= last; ++it)
    if (it != chosen) (*it)->SetCheck(0);
}

bool DialogBox::IsComposing() const { return m_focus && m_focus->IsComposing(); }

void DialogBox::PostKeyMessage(unsigned message, int key, std::uint32_t data) { m_posted.push_back({message, key, data}); }

void DialogBox::RunPostedMessages() {
  std::vector<Posted> posted;
  posted.swap(m_posted);
  for (const Posted& message : posted) {
    // A forwarded key reaches the dialog as a key-down of its own.
    if (message.message == WM_KEYDOWN || message.message == WM_HOOK_FORWARDKEY)
      m_handler.WindowKeyDown(message.key, message.data);
  }
}

DialogItem* DialogBox::DefaultButton() const {
  for (const auto& item : m_items)
    if (item->Kind() == ItemKind::DefPushButton) return item.get();
  return nullptr;
}

void DialogBox::FocusItem(DialogItem* item, bool byKeyboard) {
  if (item == m_focus) return;
  DialogItem* old = m_focus;
  m_focus = item;
  if (old) old->OnFocus(*this, false);
  if (item) item->OnFocus(*this, true);
  // Tabbing into an edit box selects its text, as a dialog does.
  if (byKeyboard && item && item->Kind() == ItemKind::Edit) static_cast<EditItem*>(item)->Edit().SelectAll();
  UpdateTextInput();
  m_dirty = true;
}

void DialogBox::UpdateTextInput() {
  if (!m_running) return;
  if (m_focus && m_focus->Kind() == ItemKind::Edit) {
    const DialogRect area = static_cast<EditItem*>(m_focus)->TextArea();
    platform::StartTextInput(m_surface, ClientOriginX() + area.x, ClientOriginY() + area.y, area.w, area.h);
  } else {
    platform::StopTextInput();
  }
}

void DialogBox::MoveFocus(int step) {
  std::vector<DialogItem*> stops;
  for (const auto& item : m_items)
    if (item->TabStop() && item->TakesFocus()) stops.push_back(item.get());
  if (stops.empty()) return;
  auto at = std::find(stops.begin(), stops.end(), m_focus);
  int index = at == stops.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - stops.begin());
  const int count = static_cast<int>(stops.size());
  index = ((index + step) % count + count) % count;
  FocusItem(stops[index], true);
}

void DialogBox::DialogManagerKey(const platform::UiEvent& event) {
  using namespace platform;
  if (IsComposing()) return;  // the input method takes the keys
  if (event.key == kVkTab) {
    MoveFocus(event.shift ? -1 : 1);
    return;
  }
  if (event.key == kVkReturn) {
    if (m_focus && m_focus->Kind() == ItemKind::List) {
      Notify(m_focus->Id(), LBN_DBLCLK);
      return;
    }
    DialogItem* button = m_focus && m_focus->Kind() == ItemKind::PushButton ? m_focus : DefaultButton();
    if (button)
      button->Press(*this);
    else
      Notify(IDOK_COMMAND, BN_CLICKED);
    return;
  }
  if (event.key == kVkEscape) {
    Notify(IDCANCEL_COMMAND, BN_CLICKED);
    return;
  }
  if (m_focus && m_focus->OnKeyDown(*this, event)) {
    m_dirty = true;
    return;
  }
  // Arrows move within a group of radio buttons and choose the next one.
  const int step = ArrowStep(event.key);
  if (!m_focus || m_focus->Kind() != ItemKind::RadioButton || step == 0) return;
  const int count = static_cast<int>(m_items.size());
  int index = 0;
  while (index < count && m_items[index].get() != m_focus) ++index;
  const int next = index + step;
  if (next < 0 || next >= count || m_items[next]->Kind() != ItemKind::RadioButton) return;
  FocusItem(m_items[next].get(), true);
  m_items[next]->Press(*this);
}

// In the game's picture the dialog lies at its place; a window of its own
// shows the dialog alone.
int DialogBox::ClientOriginX() const { return (m_surface == platform::UiSurface::GameWindow ? m_x : 0) + m_clientLeft; }
int DialogBox::ClientOriginY() const { return (m_surface == platform::UiSurface::GameWindow ? m_y : 0) + m_clientTop; }

bool DialogBox::KeyHeld(int key) const {
  return std::find(m_heldKeys.begin(), m_heldKeys.end(), key) != m_heldKeys.end();
}

void DialogBox::KeyDown(const platform::UiEvent& event) {
  const std::uint32_t data = KeyData(event);
  std::erase(m_heldKeys, event.key);
  if (event.kind == platform::UiEventKind::KeyDown) m_heldKeys.push_back(event.key);
  cHook::SetActiveWindow(this);
  const bool swallowed = cHook::KeyboardProc(0, event.key, data) != 0;
  if (!swallowed && event.kind == platform::UiEventKind::KeyDown) DialogManagerKey(event);
  RunPostedMessages();
}

DialogItem* DialogBox::ItemAt(int x, int y) const {
  for (const auto& item : m_items) {
    const ItemKind kind = item->Kind();
    if (kind == ItemKind::Static || kind == ItemKind::GroupBox || kind == ItemKind::Picture) continue;
    if (item->Enabled() && item->Rect().Contains(x, y)) return item.get();
  }
  return nullptr;
}

void DialogBox::MouseDown(const platform::UiEvent& event) {
  const int x = event.x - ClientOriginX(), y = event.y - ClientOriginY();
  DialogItem* item = event.button == 1 ? ItemAt(x, y) : nullptr;
  if (!item) return;
  const std::uint64_t now = platform::NowMs();
  const bool doubleClick = item->Id() == m_lastClickId && now - m_lastClickTime <= kDoubleClickMs;
  m_lastClickTime = doubleClick ? 0 : now;
  m_lastClickId = item->Id();
  if (item->TakesFocus()) FocusItem(item, false);
  m_capture = item;
  item->OnMouseDown(*this, x, y, doubleClick);
}

void DialogBox::Dispatch(const platform::UiEvent& event) {
  using platform::UiEventKind;
  if (event.surface != m_surface) return;
  const int x = event.x - ClientOriginX(), y = event.y - ClientOriginY();
  m_dirty = true;
  switch (event.kind) {
    case UiEventKind::KeyDown:
    case UiEventKind::KeyUp:
      KeyDown(event);
      break;
    case UiEventKind::Text:
      if (m_focus) m_focus->OnText(*this, event.text);
      break;
    case UiEventKind::Composition:
      if (m_focus) m_focus->OnComposition(*this, event.text, event.cursor);
      break;
    case UiEventKind::MouseDown:
      MouseDown(event);
      break;
    case UiEventKind::MouseMove:
      if (m_capture) m_capture->OnMouseDrag(*this, x, y);
      break;
    case UiEventKind::MouseUp:
      if (DialogItem* item = std::exchange(m_capture, nullptr)) item->OnMouseUp(*this, x, y);
      break;
    case UiEventKind::MouseWheel:
      if (m_focus) m_focus->OnWheel(*this, event.wheel);
      break;
    case UiEventKind::Close:
      m_handler.CloseDialog();
      break;
  }
}

void DialogBox::HandleEvent(const platform::UiEvent& event) {
  platform::UiEvent routed = event;
  routed.surface = m_surface;
  Dispatch(routed);
}

void DialogBox::Place(platform::UiSurface surface) {
  m_surface = surface;
  const bool drawnFrame = surface == platform::UiSurface::GameWindow;
  m_clientLeft = drawnFrame ? kFrameWidth : 0;
  m_clientTop = drawnFrame ? kFrameWidth + (m_hasCaption ? kCaptionHeight : 0) : 0;
  m_width = m_clientWidth + 2 * m_clientLeft;
  m_height = m_clientHeight + m_clientTop + m_clientLeft;
  const platform::WindowRect area =
      drawnFrame ? platform::WindowRect{0, 0, kGameWidth, kGameHeight} : platform::DesktopWorkArea();
  int x = m_requested ? m_requested->x : area.x + (area.width - m_width) / 2;
  int y = m_requested ? m_requested->y : area.y + (area.height - m_height) / 2;
  // Pulled into the usable area: the left and top edges first, then the
  // right and bottom edges back inside.
  if (x < area.x) x = area.x;
  if (y < area.y) y = area.y;
  if (x + m_width >= area.x + area.width) x = area.x + area.width - m_width;
  if (y + m_height >= area.y + area.height) y = area.y + area.height - m_height;
  m_x = x;
  m_y = y;
}

void DialogBox::TakeBackground() {
  platform::Presenter& presenter = platform::GetPresenter();
  m_background = presenter.LastFrame(&m_backgroundW, &m_backgroundH);
  if (m_background.empty()) {
    m_backgroundW = kGameWidth;
    m_backgroundH = kGameHeight;
    m_background.assign(std::size_t(kGameWidth) * kGameHeight, 0);
  }
  g_ownSerial = presenter.FrameSerial();
}

void DialogBox::Show(const DialogCanvas& canvas) {
  if (m_surface == platform::UiSurface::OwnWindow) {
    platform::ShowOwnWindowPicture(canvas.Pixels(), canvas.Width(), canvas.Height());
    return;
  }
  std::vector<std::uint32_t> picture = m_background;
  for (int row = 0; row < canvas.Height(); ++row) {
    const int y = m_y + row;
    if (y < 0 || y >= m_backgroundH) continue;
    for (int col = 0; col < canvas.Width(); ++col) {
      const int x = m_x + col;
      if (x >= 0 && x < m_backgroundW) picture[std::size_t(y) * m_backgroundW + x] = canvas.At(col, row);
    }
  }
  SubmitToGameWindow(picture);
}

void DialogBox::RestoreBackground() {
  if (m_surface == platform::UiSurface::GameWindow && !m_background.empty()) SubmitToGameWindow(m_background);
}

void DialogBox::SubmitToGameWindow(const std::vector<std::uint32_t>& picture) {
  platform::FrameView frame;
  frame.width = m_backgroundW;
  frame.height = m_backgroundH;
  frame.pitch = m_backgroundW;
  frame.argb = picture.data();
  platform::Presenter& presenter = platform::GetPresenter();
  if (presenter.Submit(frame)) g_ownSerial = presenter.FrameSerial();
}

void DialogBox::Redraw() {
  using namespace dialog_colors;
  if (!m_visible) return;
  DialogCanvas canvas(m_width, m_height, kFace);
  if (m_clientLeft > 0) {
    canvas.Outline({0, 0, m_width, m_height}, kFrame);
    canvas.Outline({1, 1, m_width - 2, m_height - 2}, kLight);
    if (m_hasCaption) {
      canvas.Fill({kFrameWidth, kFrameWidth, m_width - 2 * kFrameWidth, kCaptionHeight - 1}, kCaption);
      canvas.SetClip({kFrameWidth, kFrameWidth, m_width - 2 * kFrameWidth, kCaptionHeight - 1});
      canvas.Text(kFrameWidth + 4, kFrameWidth + (kCaptionHeight - 1 - DialogFont::Get().LineHeight()) / 2, m_caption,
                  kCaptionText);
      canvas.ResetClip();
    }
  }
  // Controls draw in client coordinates: a canvas for the client area.
  DialogCanvas client(m_clientWidth, m_clientHeight, kFace);
  for (const auto& item : m_items) item->Draw(client, item.get() == m_focus);
  canvas.Paste(client, m_clientLeft, m_clientTop);
  Show(canvas);
  m_dirty = false;
}

void DialogBox::LoopPass() {
  platform::EventHandlers handlers = MainWindowHandlers();
  // The game window waits while its dialog runs: a close of it is taken
  // after the dialog, and its own keys and menu give way to the dialog's
  // input.
  handlers.onClose = [](platform::CloseReason reason) { platform::RequestClose(reason); };
  handlers.onInput = [this](const platform::UiEvent& event) { Dispatch(event); };
  platform::PumpEvents(handlers);
  if (m_surface == platform::UiSurface::GameWindow && platform::GetPresenter().FrameSerial() != g_ownSerial) {
    TakeBackground();
    m_dirty = true;
  }
  if (!m_ended && m_dirty) Redraw();
}

int DialogBox::Run(platform::UiSurface surface) {
  Place(surface);
  if (surface == platform::UiSurface::OwnWindow) {
    if (!platform::OpenOwnWindow(platform::Utf8FromCp932(m_caption), m_x, m_y, m_width, m_height)) return 0;
  } else {
    TakeBackground();
  }
  g_running.push_back(this);
  m_running = true;
  m_ended = false;
  m_handler.InitDialog();
  // A termination ends the dialog. Any other close waits for its end, a
  // failure's too: the boxes that tell of a failure are read before the
  // question its close asks. Each is raised again afterwards; in a box that
  // the game thread's step asked for, the platform holds it on until that
  // step ends, so that the step's next box comes before the question too.
  DeferredCloses laterCloses;
  if (!m_ended) {
    UpdateTextInput();
    Redraw();
    if (g_observer) g_observer(*this);
  }
  while (!m_ended) {
    LoopPass();
    if (auto close = platform::TakeCloseRequest()) {
      laterCloses.Keep(*close);
      if (*close == platform::CloseReason::Terminate) End(0);
    }
    if (m_ended) break;
    // Headless: a dialog whose script has ended is closed like the close box.
    if (platform::CurrentBackend() == platform::Backend::Headless && platform::HeadlessUiScriptEmpty())
      m_handler.CloseDialog();
    if (!m_ended) platform::SleepMs(1);
  }
  m_running = false;
  g_running.pop_back();
  // The key that answered (Space on a button, Enter, Escape) is still down:
  // the game takes it once it has been let go and pressed again.
  platform::IgnoreHeldKeysUntilReleased();
  platform::StopTextInput();
  if (surface == platform::UiSurface::OwnWindow)
    platform::CloseOwnWindow();
  else
    RestoreBackground();
  if (!g_running.empty()) {
    cHook::SetActiveWindow(g_running.back());
  } else {
    cHook::SetActiveWindow(nullptr);
  }
  laterCloses.RaiseAgain();
  return m_result;
}
