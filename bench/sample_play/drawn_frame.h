#pragma once
// The check of a drawn frame before timing: the screen is filled with a
// mark colour, one frame of play is drawn over it, and the frame tells the
// share of dots the stage drew, the colours it holds and its checksum, so a
// mode that draws nothing (or another picture) cannot pass for a fast one.

#include <cstddef>
#include <cstdint>

class LoopedPlay;

struct DrawnFrame {
  double coveredShare = 0;
  std::size_t colours = 0;  // distinct pixel values (palette numbers at 8 bits)
  std::uint64_t checksum = 0;
};

// Frame `frame` of a fresh attempt, counted from its first frame of play.
DrawnFrame DrawCheckedFrame(LoopedPlay& play, std::size_t frame);
