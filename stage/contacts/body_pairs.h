#pragma once
// The pairs of characters of different group lists whose body boxes meet,
// among the characters that take part, found by a sort and sweep on x. A
// pair is held by its two groups and its places in their lists, so the
// pairs hold only while no list, no box and no character's part changes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "stage/chara/chara.h"

class BodyPairs {
 public:
  void Find(std::span<const std::vector<cChara*>> groups, bool (*takesPart)(const cChara&));

  // Narrows the walk to the pairs of `firstGroup` with the later `secondGroup`.
  void Select(std::size_t firstGroup, std::size_t secondGroup);
  // The first place in the first list from `place` on that has a pair, or
  // `end`. Places are asked for in rising order.
  std::size_t NextFirst(std::size_t place, std::size_t end);
  // The first place in the second list from `place` on that is paired with
  // `firstPlace` of the first list, or `end`.
  std::size_t NextSecond(std::size_t firstPlace, std::size_t place, std::size_t end);

 private:
  struct Extent {
    double low = 0, high = 0;  // the box's x edges in rising order
    const cChara* chara = nullptr;
    std::uint32_t group = 0, place = 0;
  };
  struct Pair {
    std::uint32_t firstGroup = 0, secondGroup = 0, first = 0, second = 0;
    auto operator<=>(const Pair&) const = default;
  };

  bool InSelection(std::size_t index) const;

  std::vector<Extent> extents_;
  std::vector<std::uint32_t> open_;  // the extents whose x span the sweep is still inside
  std::vector<Pair> pairs_;
  std::uint32_t firstGroup_ = 0, secondGroup_ = 0;
  std::size_t cursor_ = 0;
};
