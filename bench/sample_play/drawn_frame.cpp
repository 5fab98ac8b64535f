#include "bench/sample_play/drawn_frame.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "bench/frame_checksum.h"
#include "bench/sample_play/looped_play.h"
#include "graphics/device/device.h"
#include "graphics/surfaces/surface_lock.h"

namespace {

constexpr int kScreenWidth = 640, kScreenHeight = 480;
constexpr std::uint32_t kMark = 0x00010203;

// Every dot of the back buffer set to the mark (its low byte at 8 bits),
// written straight into the pixels so that it reads alike in every mode.
bool FillWithMark() {
  cSurfaceLock lock;
  if (!lock.Lock(&BackBuffer)) return false;
  for (int y = 0; y < kScreenHeight; ++y) {
    if (lock.BitsPerPixel() == 8) std::memset(lock.Row8(y), static_cast<std::uint8_t>(kMark), kScreenWidth);
    else std::fill_n(lock.Row32(y), kScreenWidth, kMark);
  }
  return true;
}

}  // namespace

DrawnFrame DrawCheckedFrame(LoopedPlay& play, std::size_t frame) {
  play.Restart();
  for (std::size_t step = 0; step < frame; ++step) play.Step();
  if (!FillWithMark()) return {};
  play.Step();
  cSurfaceLock lock;
  if (!lock.LockForReading(&BackBuffer)) return {};
  const bool eightBits = lock.BitsPerPixel() == 8;
  const std::uint32_t mark = eightBits ? kMark & 0xFF : kMark;
  std::set<std::uint32_t> colours;
  int covered = 0;
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) {
      const std::uint32_t dot = eightBits ? lock.Row8(y)[x] : lock.Row32(y)[x];
      covered += dot != mark ? 1 : 0;
      colours.insert(dot);
    }
  lock.Unlock();
  DrawnFrame drawn;
  drawn.coveredShare = static_cast<double>(covered) / (kScreenWidth * kScreenHeight);
  drawn.colours = colours.size();
  drawn.checksum = BackBufferChecksum();
  return drawn;
}
