// Loads arbitrary bytes as the replay part of a replay file. Whatever the
// bytes, the load must stay in bounds; a replay that loads plays back to its
// end and saves a stream that loads again to the very same bytes.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "input/replay.h"

namespace {

std::vector<unsigned char> Saved(cReplay& replay) {
  DataWriter out("fuzz");
  out.Write(g_DataVersion);
  replay.Save(out);
  return out.Bytes();
}

bool LoadInto(cReplay& replay, std::vector<unsigned char> bytes) {
  auto in = OpenReadBytes(std::move(bytes), "fuzz");
  if (!in) return false;
  replay.Load(*in);
  return in->ok();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  cReplay replay;
  if (!LoadInto(replay, std::vector<unsigned char>(data, data + size))) return 0;
  cInput input;
  input.Init();
  std::uint64_t frames = 0;
  while (replay.PlayFrame(input) == 0 && frames < 100000) {
    input.UpdateFrameState();
    ++frames;
  }
  const std::vector<unsigned char> first = Saved(replay);
  cReplay again;
  if (!LoadInto(again, first) || Saved(again) != first) std::abort();
  return 0;
}
