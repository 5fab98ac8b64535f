// Random screen-effect, character-effect and screen-colour definitions (any
// kind, zero, negative and huge parameters), each started in a play mode
// and drawn for a few frames in one of the three drawing modes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "graphics/device/device.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/draw/effects/chara_effect_slot.h"
#include "stage/draw/effects/screen_effect_advance.h"
#include "stage/draw/effects/screen_effect_pixels.h"
#include "stage/draw/layers/screen_color.h"
#include "stage/draw/layers/screen_color_pixels.h"
#include "stage/draw/resources/screen_copies.h"

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  std::int32_t Int() {
    std::int32_t value = 0;
    const std::size_t n = m_size - m_pos < 4 ? m_size - m_pos : 4;
    std::memcpy(&value, m_data + m_pos, n);
    m_pos += n;
    return value;
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

template <typename Record>
Record Definition(Bytes& in, int kinds) {
  Record record;
  const std::int32_t kind = in.Int();
  record.m_nKind = kind % (kinds + 2);  // mostly known kinds, some outside
  for (auto& p : record.m_anParam) p = in.Int();
  return record;
}

void RunMode(int d3d, int bpp, int mode, Bytes in) {
  if (!DDInit(d3d, 640, 480, bpp, 0, 1, 1, 60, 0, nullptr, nullptr, 0)) return;
  {
    ScreenEffectFrame frame;
    StartScreenEffect(frame, 1, mode, mode == 2);
    cCharaEffectSlot chara;
    SelectCharaEffect(chara, 1, mode, 0);
    for (int i = 0; i < 4; ++i) {
      AdvanceScreenEffect(frame, i == 2);
      DrawScreenEffect(frame, ScreenPoint{in.Int() % 1000, in.Int() % 1000}, nullptr);
      StepCharaEffect(chara);
    }
  }
  std::array<std::int32_t, 8> colour{};
  for (auto& p : colour) p = in.Int();
  ScreenColorState state;
  StartScreenColorChange(state, colour, CurrentScreenColorPath());
  for (int i = 0; i < 4; ++i) {
    AdvanceScreenColor(state, 0);
    DrawScreenColor(state);
  }
  ReleaseScreenCopies();
  DDRelease();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!g_Database.IsStarted()) StartProjectData();
  Bytes in(data, size);
  g_Database->m_vScrEffect.resize(1);
  g_Database->m_vScrEffect.push_back(Definition<cScrEffect>(in, 13));
  g_Database->m_vCharaEffect.resize(1);
  g_Database->m_vCharaEffect.push_back(Definition<cCharaEffect>(in, 16));
  BuildEffectWorkCopies(*g_Database);
  InitScrEffectSlots();
  InitCharaEffectSlots();
  // One drawing mode and one play mode per input keeps the runs quick.
  const std::uint32_t choice = static_cast<std::uint32_t>(in.Int());
  const int drawing = static_cast<int>(choice % 3);
  RunMode(drawing == 2 ? 1 : 0, drawing == 0 ? 8 : 32, static_cast<int>(choice / 3 % 3), in);
  return 0;
}
