#pragma once
// Small hand-made stages for the stage tests: a stage of a given size with
// the hero at a cell, blocks and characters put on it, played through the
// stage harness.

#include <cstdint>
#include <memory>
#include <vector>

#include "definitions/stage/stage_record.h"
#include "project/system_record.h"
#include "stage/harness/stage_harness.h"

struct StageBuilder {
  cEdStage stage;

  StageBuilder(int width, int height, int heroColumn, int heroRow, int speedLevel = 1);
  StageBuilder& Block(int column, int row, int kind = kBlockSolid, int passSide = kNoPassSide);
  // A computer-operated character; returns its index among the placed ones.
  cEdChara& Chara(int column, int row);
  cEdChara& Hero() { return stage.m_vChara[0]; }
};

// A stage whose state follows the input: the hero holds a key-step flow on
// button 1, and a character and a deadly block stand on the floor.
StageBuilder InputFollowingStage();

// A harness playing the built stage, begun with `seed` in the play phase.
class StageRun {
 public:
  explicit StageRun(const StageBuilder& builder, std::uint32_t seed = 7, int phase = kPhasePlay);
  // Tests step flows directly, outside the character step that clears the
  // acting character after its flows: nothing of theirs stays acting for
  // the next test.
  ~StageRun();
  cStageHarness harness;
};

// A dead hero is drawn for a second before its death ends; this skips to
// the last frame of that second, so the next draw ends the death.
void SkipToHeroDeathEnd(StageRun& run);

// Many allocations of odd sizes, to be held while a run plays: that run's
// objects then live at other addresses than in a run without them, so
// anything that depends on where objects live shows as different hashes.
std::vector<std::unique_ptr<char[]>> StirHeap();

// The running project's system record with one field changed, and the stage
// rules read from it again, while the object lives; both are put back after
// (a project started for it is stopped again).
class SystemSwitch {
 public:
  SystemSwitch(std::int32_t cSystem::*field, std::int32_t value);
  ~SystemSwitch();
  SystemSwitch(const SystemSwitch&) = delete;
  SystemSwitch& operator=(const SystemSwitch&) = delete;

 private:
  bool m_startedProject;
  std::int32_t cSystem::*m_field;
  std::int32_t m_previous;
};

// The running project's system record as the editor of data version
// `version` wrote it (the default project otherwise), and the stage rules
// read from it, while the object lives; both are put back after.
class SystemOfVersion {
 public:
  explicit SystemOfVersion(std::uint32_t version);
  ~SystemOfVersion();
  SystemOfVersion(const SystemOfVersion&) = delete;
  SystemOfVersion& operator=(const SystemOfVersion&) = delete;
  bool Loaded() const { return m_loaded; }

 private:
  bool m_startedProject;
  cSystem m_previous;
  bool m_loaded = false;
};
