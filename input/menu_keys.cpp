// Key repeat and the button latch: what menus read instead of the raw words.
#include "input/input_record.h"

namespace {

// One axis of the repeat: bits unchanged since the previous frame pass only
// once the counter has reached the delay and only every interval; changed
// bits pass at once and restart the count.
std::uint16_t RepeatAxis(std::uint16_t word, std::uint16_t axisBits, std::uint16_t previousAxis,
                         std::uint32_t& counter, std::uint32_t delay, std::uint32_t interval) {
  if ((word & axisBits) != previousAxis) {
    counter = 0;
    return word;
  }
  ++counter;
  const bool due = counter >= delay && interval != 0 && counter % interval == 0;
  return due ? word : static_cast<std::uint16_t>(word & ~axisBits);
}

}  // namespace

void cInput::RepeatDirKeys() {
  const std::uint16_t previous = m_wDirRepeat & 0xF;  // last frame's word, before this shift
  m_wDirRepeat = static_cast<std::uint16_t>((m_wDirRepeat << 4) | m_wDir);
  constexpr std::uint16_t kHorizontal = kDirLeft | kDirRight;
  constexpr std::uint16_t kVertical = kDirUp | kDirDown;
  m_wDir = RepeatAxis(m_wDir, kHorizontal, previous & kHorizontal, m_nRepeatH, m_nRepeatDelay, m_nRepeatInterval);
  m_wDir = RepeatAxis(m_wDir, kVertical, previous & kVertical, m_nRepeatV, m_nRepeatDelay, m_nRepeatInterval);
}

void cInput::LatchButtons(std::uint16_t mask) {
  if (mask == 0) mask = 0xFF;
  const std::uint16_t pressedAtEntry = m_wButton & mask;
  for (int i = 0; i < kButtonCount; ++i) {
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << i);
    if (!(mask & bit) || !(m_wButton & bit)) continue;
    if (m_bLatch) {
      m_wButton = static_cast<std::uint16_t>(m_wButton & ~bit);
    } else {
      m_bLatch = 1;
      return;  // the first press passes, with every button of this frame
    }
  }
  if (pressedAtEntry == 0) m_bLatch = 0;
  else m_wButton = static_cast<std::uint16_t>(m_wButton & ~mask);
}
