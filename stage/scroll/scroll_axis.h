#pragma once
// One scroll axis of the stage: where the 640 x 480 view stands in stage
// dots, the limits it keeps to, and the automatic scroll. The stage has a
// horizontal and a vertical axis; the frame step moves both once per
// sub-step, the hero-following scroll and the keep-in-screen tests read them.

#include <cstdint>

struct ScrollAxis {
  double position = 0;       // left or top edge of the view, dots
  std::int32_t atLimit = 0;  // the last clamp put the view on a limit
  std::int32_t kind = 0;     // 0 horizontal, 1 vertical
  std::int32_t window = 640;
  std::int32_t lower = 0;
  std::int32_t upper = 0;
  std::int32_t base = 0;          // dot position of stage cell 0: margin x 32
  std::int32_t defaultUpper = 0;  // (extent - margin) x 32, at least 0
  std::int32_t margin = 10;
  std::int32_t extraDots = 640;   // the stage's extra setting + 640
  std::int32_t extent = 0;        // cells, stage size + 20
  std::int32_t rowLength = 0;     // horizontal axis: 2^rowShift
  std::int32_t rowShift = 0;
  double speed = 0;               // dots per sub-step
  std::int32_t running = 0;

  // Kind, window, margin and extent; the limits cover the whole stage.
  void Setup(int axisKind, int windowDots, int marginCells, int extentCells, int extraSetting);
  // on: speed := n x 0.1 / level, running; off: both 0.
  void SetSpeed(int on, int n, double level);
  void SetRange(int startCell, int endCell, int useStart, int useEnd);
  void Clamp();
  // position += speed, then Clamp.
  void Step();
  // The speed an object riding the scroll moves with: none once the view
  // stands at a limit.
  double CarrySpeed() const { return atLimit ? 0.0 : speed; }
};

// The bit length of n: the row shift whose row length 2^shift exceeds n.
int BitLength(unsigned int n);
