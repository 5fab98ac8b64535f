#pragma once
// A game screen walk-through on the generated sample game: the player
// started headless with the screens registered, keys held and released by
// the script one frame at a time, the frames presented and, when
// SCREEN_WALK_SHOTS names a folder, written there as PNGs for a person to
// look at.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "shell/harness/run_harness.h"
#include "tools/sample_game/sample_game.h"

// A drawing mode the walks run in, by its name and start-up settings.
using DrawingMode = sample_game::NamedStartup;

class cScreenWalk {
 public:
  // Generates the sample game in a fresh folder named after the test.
  explicit cScreenWalk(const std::string& name, sample_game::GenerateOptions options = {});
  ~cScreenWalk();

  bool Start(std::string_view commandLine = {});
  // Steps frames until the predicate holds (checked after each frame), at
  // most `limit`; true when it held.
  template <typename Predicate>
  bool StepUntil(Predicate done, int limit = 600) {
    for (int i = 0; i < limit; ++i) {
      if (m_harness->StepFrames(1) != 1) return false;
      if (done()) return true;
    }
    return false;
  }
  void Step(int frames = 1) { m_harness->StepFrames(frames); }
  // Holds the key for one frame, then releases it for one frame.
  void Tap(int virtualKey);
  // A checksum of the last presented frame.
  std::uint64_t FrameSum() const;
  // Writes the last frame as <name>_<label>.png into SCREEN_WALK_SHOTS.
  void Shot(const std::string& label) const;
  // The sound numbers requested since the last call, in order.
  std::vector<int> TakeSounds();
  // The screen-music slots requested since the last call, in order.
  std::vector<int> TakeMusicSlots();

  cRunHarness& Harness() { return *m_harness; }
  const std::filesystem::path& Folder() const { return m_folder; }

 private:
  std::string m_name;
  std::filesystem::path m_folder;
  std::unique_ptr<cRunHarness> m_harness;
  std::vector<int> m_sounds;
  std::vector<int> m_musicSlots;
};

// The Windows key codes the scripts press.
inline constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;
inline constexpr int kKeyZ = 'Z', kKeyX = 'X', kKeyC = 'C', kKeyV = 'V';
