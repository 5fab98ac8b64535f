#include "project/file_entry_record.h"

void cFileEntryRecord::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddString(&m_strName);
  if (version >= 151) fields.AddField4(&m_nFileParam);
  fields.AddString(&m_strFile);
}

void cFileEntryRecord::Load(DataReader& in) {
  cRecord::Load(in);
  if (in.Version() < kFileParamResetBelow) m_nFileParam = 0;
}
