#include "tools/sample_game/record_bytes.h"

#include "platform/text_encoding.h"

namespace sample_game {

std::string Sjis(std::string_view utf8) { return platform::Cp932FromUtf8(utf8); }

std::vector<std::uint8_t> RecordFileBytes(cRecord& record) {
  DataWriter out = OpenWriteFile("record");
  record.Save(out);
  return out.Bytes();
}

}  // namespace sample_game
