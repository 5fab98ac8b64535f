#include "definitions/name_tables.h"

const std::vector<std::string>& g_SwitchNames() {
  static const std::vector<std::string> names = {"OFF", "ON", ""};
  return names;
}
