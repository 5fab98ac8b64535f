#include "stage/anim/anime_player.h"

#include "foundation/log.h"

namespace {

constexpr std::int32_t kStay = -1;
constexpr std::int32_t kJump = -3;

Pattern CopyUpToEndCode(const PATTERNENTRY* entries) {
  Pattern pattern;
  for (const PATTERNENTRY* entry = entries;; ++entry) {
    pattern.push_back(*entry);
    if (entry->nCode < 0) break;
  }
  return pattern;
}

}  // namespace

void cAnimePlayer::Build(const cVector<::Pattern>& table) {
  m_vPatterns.clear();
  for (const ::Pattern& source : table) {
    ::Pattern pattern;
    for (const PATTERNENTRY& entry : source) {
      pattern.push_back(entry);
      if (entry.nCode < 0) break;
    }
    if (pattern.empty() || pattern.back().nCode >= 0) pattern.push_back({kPatternEnded, 0, 0});
    m_vPatterns.push_back(std::move(pattern));
  }
}

void cAnimePlayer::Build(const PATTERNENTRY* const* table) {
  if (table == nullptr) return;
  m_vPatterns.clear();
  for (const PATTERNENTRY* const* entries = table; *entries != nullptr; ++entries)
    m_vPatterns.push_back(CopyUpToEndCode(*entries));
}

void cAnimePlayer::Clear() {
  m_vPatterns.clear();
  m_nPattern = m_nEntry = m_nTick = 0;
}

const PATTERNENTRY* cAnimePlayer::Current() const {
  if (m_vPatterns.empty()) return nullptr;
  const ::Pattern& pattern = m_vPatterns[m_nPattern];
  if (m_nEntry < 0 || static_cast<std::size_t>(m_nEntry) >= pattern.size()) return nullptr;
  return &pattern[m_nEntry];
}

int cAnimePlayer::SetPattern(int n, int force) {
  const PATTERNENTRY* entry = Current();
  if (!force && entry != nullptr && entry->nHold) return 0;
  if (!m_vPatterns.empty() && (n < 0 || static_cast<std::size_t>(n) >= m_vPatterns.size())) {
    Report("anime pattern %d missing; pattern 0 plays", n);
    n = 0;
  }
  m_nPattern = n;
  m_nEntry = 0;
  m_nTick = 0;
  return 1;
}

int cAnimePlayer::ChangePattern(int n, int force) {
  if (n == m_nPattern) return 1;
  return SetPattern(n, force);
}

void cAnimePlayer::ApplyEndCode() {
  const PATTERNENTRY* entry = Current();
  if (entry == nullptr) return;
  switch (entry->nCode) {
    case kJump: SetPattern(entry->nDuration, 1); break;
    case kPatternRestart: m_nEntry = 0; break;
    case kStay:
      if (m_nEntry > 0) --m_nEntry;
      break;
    default: break;
  }
}

int cAnimePlayer::Step() {
  const PATTERNENTRY* entry = Current();
  if (entry == nullptr) return 0;
  // A held end code (-1 at entry 0, -4, any unknown code) does not move on.
  if (entry->nCode < 0) return entry->nCode;
  ++m_nTick;
  if (m_nTick >= entry->nDuration) {
    ++m_nEntry;
    m_nTick = 0;
    ApplyEndCode();
  }
  return GetFrame();
}

int cAnimePlayer::GetFrame() const {
  const PATTERNENTRY* entry = Current();
  return entry == nullptr ? 0 : entry->nCode;
}
