// The base animation and the extra animations that commands start: which
// frame a character shows, and how an animation set becomes patterns.
#include "project/global_data.h"
#include "stage/chara/chara.h"

namespace {

constexpr std::int32_t kNoTime = 2147483647;

// The frame-choice rules: a timed animation beats an untimed one, the least
// time left wins, and among the run-out ones the later rules decide.
const ExtraAnime* ChooseExtraAnime(const std::list<ExtraAnime>& animes) {
  const ExtraAnime* best = nullptr;
  std::int32_t bestTime = kNoTime;
  bool settled = false;
  for (const ExtraAnime& anime : animes) {
    if (anime.done) continue;
    const std::int32_t t = anime.timeLeft;
    if (settled) {
      if (t <= 0 && bestTime <= 0 && t > bestTime) {
        best = &anime;
        bestTime = t;
      }
    } else if (anime.timed) {
      if (t <= 0 && bestTime <= 0) {
        best = &anime;
        bestTime = t;
        settled = true;
      } else if (t < bestTime) {
        best = &anime;
        bestTime = t;
      }
    } else if (best == nullptr) {
      best = &anime;
      bestTime = kNoTime;
    }
  }
  return best;
}

}  // namespace

int cChara::StepCharaAnim(int noAdvance) {
  if (!noAdvance) {
    anime.Step();
    for (auto it = extraAnimes.begin(); it != extraAnimes.end();) {
      if (it->done) {
        ++it;
        continue;
      }
      if (it->player.Step() == kPatternEnded) {
        it = extraAnimes.erase(it);
        continue;
      }
      --it->timeLeft;
      ++it;
    }
  }
  const ExtraAnime* best = ChooseExtraAnime(extraAnimes);
  return best == nullptr ? anime.GetFrame() : best->player.GetFrame();
}

void cChara::StopFlowAnims(int flowId) {
  extraAnimes.remove_if([&](const ExtraAnime& anime) { return anime.flowId == flowId; });
}

void cChara::RemoveListEntriesById(int flowId) {
  for (auto it = extraAnimes.begin(); it != extraAnimes.end();) {
    if (it->flowId != flowId) {
      ++it;
    } else if (it->timeLeft + it->secondCount - 1 < 0) {
      it = extraAnimes.erase(it);
    } else {
      it->done = 1;
      ++it;
    }
  }
}

void cChara::ClearEntryFlagById(int flowId) {
  for (ExtraAnime& anime : extraAnimes)
    if (anime.flowId == flowId) anime.done = 0;
}

void cChara::SetBaseAnimeSet(int n, int force) {
  if (!force && n == baseAnimeSet) return;
  baseAnimeSet = n;
  cVector<Pattern> patterns;
  if (g_Database.IsStarted()) {
    const cDatabase& database = *g_Database;
    const auto& sets = database.m_vAnimeSet;
    if (!sets.empty()) {
      for (const cAnime& animation : sets[n].m_vAnime) {
        Pattern pattern;
        for (const cAnimeFrame& frame : animation.m_vFrames) pattern.push_back({frame.nPattern, frame.nTime * 6, 1});
        pattern.push_back({kPatternRestart, 0, 0});
        patterns.push_back(std::move(pattern));
      }
    }
  }
  const int current = anime.Pattern();
  anime.Build(patterns);
  anime.SetPattern(current, 1);
}
