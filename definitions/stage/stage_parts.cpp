#include "definitions/stage/stage_parts.h"

#include <cmath>

namespace {
constexpr std::uint32_t kFourSidesSince = 125;
constexpr std::uint32_t kRatesSince = 61;
constexpr std::uint32_t kShowAndOffsetsSince = 62;
constexpr std::uint32_t kAutoSpeedsSince = 876;
constexpr double kBlockDots = 32.0;
constexpr double kScreenWidth = 640.0;
constexpr double kScreenHeight = 480.0;
}  // namespace

void cEdStageCond::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddField4(&m_bLeft);
  if (version >= kFourSidesSince) {
    fields.AddField4(&m_bRight);
    fields.AddField4(&m_bTop);
    fields.AddField4(&m_bBottom);
  }
  fields.AddField4(&m_nLeft);
  fields.AddField4(&m_nRight);
  fields.AddField4(&m_nTop);
  fields.AddField4(&m_nBottom);
}

void cEdStageCond::Set(std::uint32_t left, std::uint32_t right, std::uint32_t top, std::uint32_t bottom,
                       std::uint32_t leftDist, std::uint32_t rightDist, std::uint32_t topDist,
                       std::uint32_t bottomDist) {
  m_bLeft = left;
  m_bRight = right;
  m_bTop = top;
  m_bBottom = bottom;
  m_nLeft = leftDist;
  m_nRight = rightDist;
  m_nTop = topDist;
  m_nBottom = bottomDist;
}

bool IsInRemovalArea(const cEdStageCond& area, const StageBox& box, double scrollLeft, double scrollTop,
                     const StageBox& stageEdges) {
  // Each boundary is taken in whole dots.
  if (area.m_bLeft && std::trunc(scrollLeft - kBlockDots * area.m_nLeft) >= box.right) return true;
  if (area.m_bRight && std::trunc(scrollLeft + kScreenWidth + kBlockDots * area.m_nRight) <= box.left) return true;
  if (area.m_bBottom && std::trunc(scrollTop + kScreenHeight + kBlockDots * area.m_nBottom) <= box.top) return true;
  if (area.m_bTop && std::trunc(scrollTop - kBlockDots * area.m_nTop) >= box.bottom) return true;
  return box.left <= stageEdges.left || box.right >= stageEdges.right - 1 || box.top <= stageEdges.top ||
         box.bottom >= stageEdges.bottom - 1;
}

void cEdBackground::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  if (version >= kShowAndOffsetsSince) fields.AddField4(&Show);
  fields.AddField4(&Fill);
  fields.AddField4(&FillColour);
  fields.AddField4(&Pass);
  if (version >= kRatesSince) {
    fields.AddField8(&RateX);
    fields.AddField8(&RateY);
    fields.AddField4(&AutoX);
    fields.AddField4(&AutoY);
  } else {
    fields.AddField4(&m_anDropped[0]);
    fields.AddField4(&m_anDropped[1]);
  }
  if (version >= kAutoSpeedsSince) {
    fields.AddField8(&AutoSpeedX);
    fields.AddField8(&AutoSpeedY);
  }
  if (version >= kShowAndOffsetsSince) {
    fields.AddField8(&OffsetX);
    fields.AddField8(&OffsetY);
  } else if (version == kRatesSince) {
    fields.AddField4(&m_anDropped[0]);
    fields.AddField4(&m_anDropped[1]);
  }
  fields.AddString(&Image);
}

void cEdBackground::SetDefaults() {
  Clear();
  Show = 1;
  FillColour = 16;
  RateX = 0.1;
  RateY = 0.1;
  AutoSpeedX = 0;
  AutoSpeedY = 0;
}

void cEdStageText::RegisterFields(FieldRegistry& fields, std::uint32_t) { fields.AddString(&Text); }
