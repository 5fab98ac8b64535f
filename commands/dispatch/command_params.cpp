#include "commands/dispatch/command_params.h"

#include "definitions/command_record.h"
#include "stage/core/data_index.h"

std::int32_t CmdParam(const cEdCmd& command, int index) {
  if (!DataIndexOk(index, command.m_vParams.size(), 4)) return 0;
  return command.m_vParams[index];
}
