#include "tools/soak/replay_soak.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/input_devices.h"
#include "platform/message_box.h"
#include "platform/ui_events.h"
#include "screens/title/title_scene.h"
#include "shell/game/game.h"
#include "shell/game/game_clock.h"
#include "shell/harness/run_harness.h"
#include "sound/midi/sound_font_report.h"
#include "stage/harness/state_hash.h"
#include "stage/scene/stage_scene.h"
#include "tools/soak/resident_memory.h"
#include "tools/soak/stage_replays.h"

namespace soak {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSoakReplay = "soak.rpl4_000";
constexpr int kNotInStage = -100;
constexpr int kVkDown = 40, kVkZ = 'Z';
constexpr int kTitleReplayRow = 4;
constexpr int kTitleFrameLimit = 600;

int StagePhase() {
  const cStageScene* scene = g_Game.m_nState == GS_STAGE ? StageScene() : nullptr;
  return scene != nullptr ? scene->Phase() : kNotInStage;
}

bool AtTitleMenu() {
  const auto* title = dynamic_cast<const cTitleScene*>(g_Game.Scene(GS_TITLE));
  return g_Game.m_nState == GS_TITLE && title != nullptr && title->Phase() == cTitleScene::kMenu;
}

std::size_t FileSize(const fs::path& file) {
  std::error_code error;
  const auto size = fs::file_size(file, error);
  return error ? 0 : static_cast<std::size_t>(size);
}

// The lines of `file` after its first `offset` bytes, but the one that
// tells the MIDI sound font, which the synthesiser writes once it has
// loaded beside the game, at no fixed frame.
std::vector<std::string> LinesAfter(const fs::path& file, std::size_t offset) {
  std::ifstream in(file, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && !IsSoundFontLine(line)) lines.push_back(line);
  return lines;
}

class ReplaySoak {
 public:
  ReplaySoak(const fs::path& folder, const SoakSettings& settings)
      : m_folder(folder), m_settings(settings), m_player(folder) {}

  SoakRun Run() {
    if (StartAtTitle() && Record() && QueueReplay(0) && ChooseTheReplay()) {
      const auto start = std::chrono::steady_clock::now();
      const long long first = m_run.frames;
      while (m_run.frames < m_settings.frames && Step()) {
      }
      m_run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (m_run.seconds > 0)
        m_run.framesPerSecond = static_cast<double>(m_run.frames - first) / m_run.seconds;
      m_run.residentAtEnd = ResidentBytes().value_or(0);
    }
    if (m_reportOffset != 0) m_run.reportLines = LinesAfter(ReportFile(), m_reportOffset);
    for (const platform::ShownBox& box : platform::TakeHeadlessBoxes()) m_run.boxes.push_back(box.text);
    platform::ReleaseAllInput();
    if (!m_player.Close()) m_player.Close(platform::CloseReason::Terminate);
    return m_run;
  }

 private:
  fs::path ReportFile() const { return m_folder / "Report_Game.txt"; }

  // The next round's set-up reads stage `index`'s replay.
  bool QueueReplay(std::size_t index) {
    m_queued = index;
    const std::vector<char>& bytes = m_replays[index].fileBytes;
    std::ofstream out(m_folder / "user_data" / "rpl4" / kSoakReplay, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (out.flush()) return true;
    return Fail("cannot write the replay file " + std::string(kSoakReplay));
  }

  bool StartAtTitle() {
    if (!m_player.Start()) return Fail("the player did not start");
    for (int frame = 0; frame < kTitleFrameLimit && !AtTitleMenu(); ++frame)
      if (!Step()) return false;
    if (!AtTitleMenu()) return Fail("the title's menu did not come up");
    m_reportOffset = FileSize(ReportFile());
    return true;
  }

  // The stage harness takes the game clock while it records; the player's
  // is given back after it.
  bool Record() {
    std::string error;
    m_replays = RecordStageReplays(&error);
    SetGameClock(m_player.Clock().AsGameClock());
    if (m_replays.empty()) return Fail(error);
    m_run.replays = m_replays.size();
    m_heldOverHashes.resize(m_replays.size());
    for (const StageReplay& replay : m_replays) m_run.replayFrames += replay.hashes.size();
    return true;
  }

  // The title's replay command, answered in the open dialog with the soak's
  // replay file.
  bool ChooseTheReplay() {
    for (int row = 0; row < kTitleReplayRow; ++row)
      if (!Tap(kVkDown)) return false;
    platform::QueueHeadlessUiEvents({platform::KeyDownEvent('A', true), platform::TextEvent(kSoakReplay),
                                     platform::KeyDownEvent(platform::kVkReturn)});
    return Tap(kVkZ);
  }

  bool Tap(int virtualKey) {
    platform::SetKeyHeld(virtualKey, true);
    const bool stepped = Step();
    platform::SetKeyHeld(virtualKey, false);
    return stepped && Step();
  }

  // One frame of the player, watched.
  bool Step() {
    const int before = StagePhase();
    if (m_player.StepFrames(1) != 1) return Fail("the player stopped");
    ++m_run.frames;
    const int after = StagePhase();
    const bool watched = WatchRound(before, after);
    // The stage end waits for decide: it is pressed every other frame there.
    platform::SetKeyHeld(kVkZ, after == kPhaseStageEnd && m_run.frames % 2 == 0);
    return watched;
  }

  // A round begins when play begins: its set-up has read the queued replay,
  // and the file takes the next stage's. Each play frame's hash must be the
  // recording's; the round ends with the recording's last frame or, when
  // its end starts the stage over, one frame later.
  // The scene keeps its screen effect from one attempt to the next (the
  // slot is cleared only with the scene), so a round can begin under an
  // effect that the round before left running. Such a round is held to the
  // first round of its stage that began so: the rounds go round in a fixed
  // order, so every later one begins alike.
  bool WatchRound(int before, int after) {
    if (before != kPhasePlay) {
      if (after == kPhasePlay) BeginRound();
      return after != kPhasePlay || QueueReplay((m_queued + 1) % m_replays.size());
    }
    const std::vector<std::uint64_t>& recorded = m_replays[m_current].hashes;
    std::vector<std::uint64_t>& reference =
        m_heldOver ? m_heldOverHashes[m_current] : m_replays[m_current].hashes;
    const std::uint64_t hash = StageStateHash(*StageScene());
    if (m_capturing && m_roundFrame < recorded.size()) reference.push_back(hash);
    if (!m_capturing && m_roundFrame < reference.size() && hash != reference[m_roundFrame])
      return Fail(RoundPlace() + ": the state hash differs from the " +
                  (m_heldOver ? "first round begun under a held-over screen effect" : "recording"));
    ++m_roundFrame;
    const std::string frames = " the recording's " + std::to_string(recorded.size()) + " frames";
    if (after == kPhasePlay)
      return m_roundFrame <= recorded.size() || Fail(RoundPlace() + ": play goes on past" + frames);
    if (m_roundFrame < recorded.size()) return Fail(RoundPlace() + ": the round ended before" + frames);
    ++m_run.rounds;
    return true;
  }

  void BeginRound() {
    m_current = m_queued;
    m_roundFrame = 0;
    m_heldOver = StageScene()->m_Draw.screenEffect.current.number != 0;
    m_capturing = m_heldOver && m_heldOverHashes[m_current].empty();
    if (m_heldOver) ++m_run.heldOverRounds;
    SampleMemory();
  }

  std::string RoundPlace() const {
    std::ostringstream place;
    place << m_replays[m_current].stage << ", round " << m_run.rounds + 1 << ", frame " << m_roundFrame
          << " of its replay (frame " << m_run.frames << " of the run)";
    return place.str();
  }

  // The stage in play holds its own pictures, so the memory of one moment of
  // a lap is comparable only with the same moment of another lap: it is read
  // as each lap begins, with the first stage's pictures just loaded.
  void SampleMemory() {
    if (m_current != 0 || m_run.frames < m_settings.baselineFrame) return;
    m_run.memory.push_back({m_run.frames, ResidentBytes().value_or(0)});
  }

  bool Fail(std::string why) {
    m_run.failure = std::move(why);
    return false;
  }

  fs::path m_folder;
  std::vector<StageReplay> m_replays;
  std::vector<std::vector<std::uint64_t>> m_heldOverHashes;  // by replay
  SoakSettings m_settings;
  cRunHarness m_player;
  SoakRun m_run;
  std::size_t m_reportOffset = 0;
  std::size_t m_queued = 0;
  std::size_t m_current = 0;
  std::size_t m_roundFrame = 0;
  bool m_heldOver = false;
  bool m_capturing = false;
};

}  // namespace

SoakRun RunReplaySoak(const fs::path& folder, const SoakSettings& settings) {
  platform::TakeHeadlessBoxes();
  return ReplaySoak(folder, settings).Run();
}

}  // namespace soak
