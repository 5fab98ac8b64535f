#include "screen_walk.h"

#include <unistd.h>

#include <cstdlib>
#include <utility>

#include "platform/input_devices.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "screens/register_screens.h"
#include "shell/requests/game_requests.h"
#include "sound/sound_messages.h"
#include "stage/scene/stage_scene.h"

namespace fs = std::filesystem;

cScreenWalk::cScreenWalk(const std::string& name, sample_game::GenerateOptions options) : m_name(name) {
  m_folder = fs::temp_directory_path() / ("screen_walk_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(m_folder);
  sample_game::GenerateSampleGame(m_folder, options);
  RegisterStageScene();
  RegisterScreens();
  platform::TakeHeadlessBoxes();
  m_harness = std::make_unique<cRunHarness>(m_folder);
}

cScreenWalk::~cScreenWalk() {
  platform::ReleaseAllInput();
  m_harness.reset();
  // The request service that Start installed points at this walk.
  platform::SetRequestHandler(nullptr);
  fs::remove_all(m_folder);
}

bool cScreenWalk::Start(std::string_view commandLine) {
  if (!m_harness->Start(commandLine)) return false;
  // The game's own request service, with the sound and music requests noted
  // on the way.
  platform::SetRequestHandler([this](unsigned id, std::uintptr_t wParam, std::intptr_t lParam) {
    if (id == WM_GAME_PLAYSE) m_sounds.push_back(static_cast<int>(wParam));
    if (id == WM_GAME_PLAYBGM) m_musicSlots.push_back(static_cast<int>(wParam));
    return ServeGameRequest(id, wParam, lParam);
  });
  return true;
}

std::vector<int> cScreenWalk::TakeSounds() { return std::exchange(m_sounds, {}); }

std::vector<int> cScreenWalk::TakeMusicSlots() { return std::exchange(m_musicSlots, {}); }

void cScreenWalk::Tap(int virtualKey) {
  platform::SetKeyHeld(virtualKey, true);
  Step();
  platform::SetKeyHeld(virtualKey, false);
  Step();
}

std::uint64_t cScreenWalk::FrameSum() const {
  int width = 0, height = 0;
  std::uint64_t sum = 1469598103934665603ull;
  for (std::uint32_t pixel : m_harness->PresentedFrame(&width, &height)) sum = (sum ^ pixel) * 1099511628211ull;
  return sum;
}

void cScreenWalk::Shot(const std::string& label) const {
  if (const char* folder = std::getenv("SCREEN_WALK_SHOTS"))
    m_harness->WritePresentedFramePng(fs::path(folder) / (m_name + "_" + label + ".png"));
}
