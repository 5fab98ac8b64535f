#include "tools/sample_game/record_bytes.h"

#include "platform/text_encoding.h"

namespace sample_game {

std::string Sjis(std::string_view utf8) { return platform::Cp932FromUtf8(utf8); }

DataWriter VersionedStream() {
  DataWriter out("sample game file");
  out.Write<std::uint32_t>(g_DataVersion);
  return out;
}

std::vector<std::uint8_t> RecordFileBytes(cRecord& record) {
  DataWriter out = VersionedStream();
  record.Save(out);
  return out.Bytes();
}

}  // namespace sample_game
