#pragma once
// The headless stage harness: a stage played frame by frame without a
// window, a sound device or a keyboard. It starts the project data (the
// defaults, unless the caller started a project), takes a stage record or
// stage-file bytes, sets the attempt up with a given seed and steps frames
// with given input words. Sounds, music requests and debug-log lines are
// recorded; the special keys (Space, F1-F3) are scripted. The game's clock
// stands still but for the game's own waits, so the frames of a modal wait
// (a game wait, an effect, a timed message) pass at once. Between frames
// the caller reads objects by serial number, the scroll axes, block cells
// and a hash of the whole simulation state.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "definitions/stage/stage_record.h"
#include "stage/core/stage_sinks.h"
#include "stage/scene/stage_scene.h"

struct BlockCell;
class cStageChara;
class cHero;

// A stage of `width` x `height` cells at a speed level, without its intro
// and end banners, with a player-operated hero at (heroColumn, heroRow):
// the start of the stages that programs build for the harness.
cEdStage MakeHarnessStage(int width, int height, int speedLevel, int heroColumn, int heroRow);

class cStageHarness {
 public:
  cStageHarness();
  ~cStageHarness();
  cStageHarness(const cStageHarness&) = delete;
  cStageHarness& operator=(const cStageHarness&) = delete;

  // The stage to play: a record, or the bytes of a stage file (false when
  // they do not load as a stage with a hero).
  void UseStage(const cEdStage& stage);
  bool UseStageBytes(std::vector<unsigned char> bytes);

  // A new scene and SetStage with the seed; play starts in `phase`.
  void Begin(std::uint32_t seed, int phase = kPhasePlay);
  // One frame with the player's two input words.
  FrameEnd Step(std::uint16_t dir, std::uint16_t buttons);

  std::uint64_t Hash() const;
  cStageScene& Scene() { return *m_scene; }
  cHero* Hero() const;
  cStageChara* CharaBySerial(std::uint32_t serial) const;
  const BlockCell& CellAt(int column, int row) const;

  void HoldKey(SpecialKey key, bool held) { m_keys[static_cast<std::size_t>(key)] = held; }
  const std::vector<int>& Sounds() const { return m_sounds; }
  const std::vector<std::pair<int, int>>& Music() const { return m_music; }
  const std::vector<std::string>& DebugLines() const { return m_debugLines; }
  void ClearRecords();

 private:
  std::unique_ptr<cStageScene> m_scene;
  std::array<bool, 4> m_keys{};
  std::vector<int> m_sounds;
  std::vector<std::pair<int, int>> m_music;
  std::vector<std::string> m_debugLines;
  bool m_startedProject = false;
  std::uint32_t m_clockMs = 0;
};
