#include "commands/flows/anime_schedule.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "definitions/command_record.h"
#include "project/global_data.h"
#include "stage/chara/chara.h"
#include "stage/core/data_index.h"
#include "stage/objects/stage_space.h"

namespace {

constexpr int kOtherAnime = 2;  // the move's animation choice "その他"

std::int16_t ToI16(std::int64_t value) { return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, -32768, 32767)); }
std::int32_t ToI32(std::int64_t value) { return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

bool PreparesAnime(const cEdCmd& command) {
  if (command.m_nAnime == 0) return false;
  const cEdMove* move = command.m_Move.get();
  return move == nullptr || move->m_nMoveAnime == kOtherAnime;
}

// The animation's frames up to its closing code.
std::int64_t AnimeFrames(const Pattern& pattern) {
  std::int64_t frames = 0;
  for (const PATTERNENTRY& entry : pattern) {
    if (entry.nCode < 0) break;
    frames += entry.nDuration;
  }
  return frames;
}

cAnimSchedule ScheduleFor(const std::vector<cCmdState>& entries, std::size_t at, std::int64_t startStep) {
  const cEdCmd& command = *entries[at].cmd;
  const std::int64_t level = g_StageSpace.level;
  const std::int64_t frames = AnimeFrames(g_AnimeFrameTable[command.m_nAnime]);
  const std::int64_t steps = frames * level;
  std::int64_t uncovered = steps;
  for (std::size_t j = at; j-- > 0 && uncovered > 0;)
    if (!entries[j].cmd->m_bInstant) uncovered -= entries[j].duration;
  cAnimSchedule schedule;
  schedule.anime = command.m_nAnime;
  if (uncovered <= 0) {
    schedule.startStep = schedule.startStepCopy = ToI32(startStep - steps);
    schedule.framesToPlay = ToI16(frames);
  } else {
    const std::int64_t head = std::min(level > 0 ? uncovered / level : 0, frames);
    schedule.headStart = ToI16(head);
    schedule.framesToPlay = ToI16(frames - head);
  }
  schedule.commandTime = ToI16(std::int64_t{command.m_nTime} * 6);
  schedule.holdStretch = command.m_nKind == kCmdJump || command.m_nKind == kCmdSword ? 0 : 1;
  return schedule;
}

// The animation's pattern with its first held frame lasting the command's
// time as well.
Pattern StretchedPattern(const cAnimSchedule& schedule) {
  Pattern pattern = g_AnimeFrameTable[schedule.anime];
  if (schedule.commandTime < 2 || schedule.holdStretch != 1) return pattern;
  for (PATTERNENTRY& entry : pattern) {
    if (entry.nCode < 0) break;
    if (!entry.nHold) continue;
    entry.nDuration = ToI32(std::int64_t{entry.nDuration} + schedule.commandTime - 1);
    break;
  }
  return pattern;
}

void StartAnime(cChara& chara, const cFlowState& flow, const cAnimSchedule& schedule) {
  if (!DataIndexOk(schedule.anime, g_AnimeFrameTable.size(), 4)) return;
  ExtraAnime& extra = chara.extraAnimes.emplace_front();
  cVector<Pattern> patterns;
  patterns.push_back(StretchedPattern(schedule));
  extra.player.Build(patterns);
  extra.timed = 1;
  extra.timeLeft = schedule.framesToPlay;
  extra.secondCount = schedule.commandTime;
  extra.flowId = flow.serial;
  extra.done = 0;
  extra.player.SetPattern(0, 1);
  if (schedule.headStart != 0) extra.player.SetTick(schedule.headStart);
}

}  // namespace

void BuildAnimeSchedule(cFlowState& state) {
  state.animeSchedule.clear();
  std::int64_t startStep = 0;
  for (std::size_t i = 0; i < state.entries.size(); ++i) {
    const cEdCmd& command = *state.entries[i].cmd;
    if (PreparesAnime(command) && DataIndexOk(command.m_nAnime, g_AnimeFrameTable.size(), 4))
      state.animeSchedule.push_back(ScheduleFor(state.entries, i, startStep));
    if (!command.m_bInstant) startStep += state.entries[i].duration;
  }
}

void StartScheduledAnims(cChara& chara) {
  for (const cFlowState& flow : chara.flows) {
    if (!flow.active || flow.paused) continue;
    for (const cAnimSchedule& schedule : flow.animeSchedule)
      if (schedule.startStep == flow.stepCount) StartAnime(chara, flow, schedule);
  }
}
