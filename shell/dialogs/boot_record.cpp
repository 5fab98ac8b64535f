#include "shell/dialogs/boot_record.h"

cBootData g_BootData;

void cBootData::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&nDrawMode);
  fields.AddField4(&bNoAsk);
}
