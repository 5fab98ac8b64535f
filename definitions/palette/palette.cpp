#include "definitions/palette/palette.h"

#include "foundation/log.h"
#include "foundation/message_box.h"
#include "project/data_paths.h"

cEdPalette g_CommonPalette;

namespace {

template <typename Definition>
void ClearInheritFlags(cVector<Definition>& list) {
  for (Definition& definition : list)
    std::fill(definition.m_vInherit.begin(), definition.m_vInherit.end(), 0);
}

}  // namespace

void CheckDefinitionRefs(cEdBlock& block) {
  block.CheckRefs();
  block.CheckItemRef();
}

void CheckDefinitionRefs(cEdChara& chara) {
  chara.CheckRefs();
  chara.CheckFlowRefs();
}

void CheckDefinitionRefs(cEdItem& item) {
  item.CheckRefs();
  item.CheckCmds();
}

void cEdPalette::Load(DataReader& in) {
  const PaletteScope readingThis(kPaletteCommon, Lists());
  cRecord::Load(in);
  ReadDefinitionList(in, m_vBlock);
  ReadDefinitionList(in, m_vChara);
  ReadDefinitionList(in, m_vItem);
  if (!in.ok()) return;
  ResetEmptyEntry(m_vBlock);
  ResetEmptyEntry(m_vChara);
  ResetEmptyEntry(m_vItem);
  ClearInheritFlags(m_vBlock);
  ClearInheritFlags(m_vChara);
  ClearInheritFlags(m_vItem);
  Normalize();
}

void cEdPalette::Save(DataWriter& out) {
  Normalize();
  cRecord::Save(out);
  WriteRecordList(out, m_vBlock);
  WriteRecordList(out, m_vChara);
  WriteRecordList(out, m_vItem);
}

void cEdPalette::Normalize() {
  const PaletteScope checkingThis(kPaletteCommon, Lists());
  FillToTwoEntries(m_vBlock);
  FillToTwoEntries(m_vChara);
  FillToTwoEntries(m_vItem);
  CheckListRefs(m_vBlock);
  CheckListRefs(m_vChara);
  CheckListRefs(m_vItem);
}

int LoadCommonPalette() {
  const std::string_view path = g_Paths[PATH_COMMON_PALETTE];
  if (LoadFile(g_CommonPalette, path)) return 1;
  const std::string text(path);
  ReportAndBox(Cp932Literal("%s のロードに失敗！"), text.c_str());
  return 0;
}
