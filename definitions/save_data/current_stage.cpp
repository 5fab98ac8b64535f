// The name and key under which the save data records the stage being played.
// '-', '1' and '.' are never trail bytes of Shift-JIS characters, so plain
// byte searches are safe on CP932 names.
#include "definitions/save_data/save_data.h"
#include "foundation/text_format.h"

void SetCurrentStage(cSaveData& data, std::string_view stageFile, std::int32_t code1, std::int32_t code2,
                     std::int32_t code3) {
  data.m_strStage = stageFile;
  data.m_nStageCode1 = code1;
  data.m_nStageCode2 = code2;
  data.m_nStageCode3 = code3;
  data.m_bSeriesStart = 0;
  std::string& name = data.m_strStage;
  for (std::size_t i = name.size(); i-- > 0;) {
    if (name[i] == '-' && i + 1 < name.size() && name[i + 1] == '1') {
      data.m_bSeriesStart = 1;
      name.resize(i);
      name += '.';
      break;
    }
  }
  if (!data.m_bSeriesStart) {
    const std::size_t dot = name.rfind('.');
    name.resize(dot == std::string::npos ? 0 : dot + 1);
  }
  data.m_strStageKey = name;
  if (code1 != 0) AppendStageCode(data.m_strStageKey, code1, code2, code3);
}

void AppendStageCode(std::string& name, std::int32_t code1, std::int32_t code2, std::int32_t code3) {
  if (code1 == 0) return;
  const bool endsWithDot = !name.empty() && name.back() == '.';
  if (endsWithDot) name.pop_back();
  AppendFormat(name, "_c%03d_%d", code2, code3);
  if (endsWithDot) name += '.';
}
