#include "stage/draw/panel/hint_line.h"

#include "foundation/run_mode.h"
#include "foundation/text_format.h"
#include "graphics/device/device.h"
#include "graphics/text/font.h"
#include "graphics/text/font_setup.h"
#include "project/system_record.h"
#include "shell/app_state.h"

namespace {

constexpr int kSingleStageText = 27;
constexpr int kTestPlayText = 26;
constexpr int kHintY = 456;
constexpr int kHintFont = 1;  // 16 x 16 cells
constexpr int kCell = 16;

const std::string* Term(const cSystem& system, int index) {
  return index < static_cast<int>(system.m_vTerms.size()) ? &system.m_vTerms[index] : nullptr;
}

}  // namespace

const std::string* HintText(const cSystem& system, int directStage, int fromEditor) {
  if (directStage) return Term(system, kSingleStageText);
  if (fromEditor) return Term(system, kTestPlayText);
  return nullptr;
}

int HintLineX(const std::string& text) { return 320 - GetCharCount(text) * kCell / 2; }

void DrawHintLine(const cSystem& system) {
  const std::string* text = HintText(system, g_bDirectStage, g_bFromEditor);
  if (text != nullptr) g_Fonts[kHintFont].Draw(&BackBuffer, HintLineX(*text), kHintY, text->c_str());
}
