#include "project/media_records.h"


void cBgm::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  cFileEntryRecord::RegisterFields(fields, version);
  if (version >= 814) fields.AddField4(&m_nVolume);
}
