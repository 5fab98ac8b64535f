#include "stage/contacts/body_pairs.h"

#include <algorithm>
#include <cmath>

#include "stage/contacts/object_contacts.h"

namespace {

bool HasNaNEdge(const CharaBox& box) {
  return std::isnan(box.left) || std::isnan(box.right) || std::isnan(box.top) || std::isnan(box.bottom);
}

}  // namespace

void BodyPairs::Find(std::span<const std::vector<cChara*>> groups, bool (*takesPart)(const cChara&)) {
  extents_.clear();
  pairs_.clear();
  open_.clear();
  for (std::size_t group = 0; group < groups.size(); ++group) {
    const std::vector<cChara*>& list = groups[group];
    for (std::size_t place = 0; place < list.size(); ++place) {
      const cChara& chara = *list[place];
      // A box with a NaN edge meets nothing.
      if (!takesPart(chara) || HasNaNEdge(chara.bodyBox)) continue;
      // Two boxes can meet only where their x spans, each taken in rising
      // order, share a point (a box may have its right edge left of its left).
      const CharaBox& box = chara.bodyBox;
      extents_.push_back({std::min(box.left, box.right), std::max(box.left, box.right), &chara,
                          static_cast<std::uint32_t>(group), static_cast<std::uint32_t>(place)});
    }
  }
  std::sort(extents_.begin(), extents_.end(), [](const Extent& a, const Extent& b) { return a.low < b.low; });
  for (std::uint32_t index = 0; index < extents_.size(); ++index) {
    const Extent& extent = extents_[index];
    std::erase_if(open_, [&](std::uint32_t other) { return extents_[other].high < extent.low; });
    for (const std::uint32_t other : open_) {
      const Extent& partner = extents_[other];
      const CharaBox& box = partner.chara->bodyBox;
      if (partner.group == extent.group ||
          !BoxesOverlap(extent.chara->bodyBox, box.left, box.top, box.right, box.bottom))
        continue;
      const bool extentFirst = extent.group < partner.group;
      const Extent& first = extentFirst ? extent : partner;
      const Extent& second = extentFirst ? partner : extent;
      pairs_.push_back({first.group, second.group, first.place, second.place});
    }
    open_.push_back(index);
  }
  std::sort(pairs_.begin(), pairs_.end());
}

void BodyPairs::Select(std::size_t firstGroup, std::size_t secondGroup) {
  firstGroup_ = static_cast<std::uint32_t>(firstGroup);
  secondGroup_ = static_cast<std::uint32_t>(secondGroup);
  cursor_ = static_cast<std::size_t>(
      std::lower_bound(pairs_.begin(), pairs_.end(), Pair{firstGroup_, secondGroup_, 0, 0}) - pairs_.begin());
}

bool BodyPairs::InSelection(std::size_t index) const {
  return index < pairs_.size() && pairs_[index].firstGroup == firstGroup_ && pairs_[index].secondGroup == secondGroup_;
}

std::size_t BodyPairs::NextFirst(std::size_t place, std::size_t end) {
  while (InSelection(cursor_) && pairs_[cursor_].first < place) ++cursor_;
  return InSelection(cursor_) ? pairs_[cursor_].first : end;
}

std::size_t BodyPairs::NextSecond(std::size_t firstPlace, std::size_t place, std::size_t end) {
  while (InSelection(cursor_) && (pairs_[cursor_].first < firstPlace ||
                                  (pairs_[cursor_].first == firstPlace && pairs_[cursor_].second < place)))
    ++cursor_;
  return InSelection(cursor_) && pairs_[cursor_].first == firstPlace ? pairs_[cursor_].second : end;
}
