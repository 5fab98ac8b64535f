// Writes PNGs of the stage drawing's reference frames (each screen effect and
// character effect at its end points, the screen colour, point effects) in
// each drawing mode, for a person to look at; with --checksums it prints
// the frames' checksums instead, as the stage tests pin them:
//   tool_stage_draw_frames [--checksums] [output folder]   (default: stage_draw_out)
// Runs headless; the picture under the effects is drawn by code.
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <string>

#include "graphics/device/device.h"
#include "platform/backend.h"
#include "platform/presenter.h"
#include "project/global_data.h"
#include "tools/draw_frames/draw_frames.h"

namespace {

void Save(const std::filesystem::path& file) {
  if (lpDTCon) DDPresent(60, 0, 0);
  else DDFlip();
  if (!platform::GetPresenter().WritePng(file)) std::fprintf(stderr, "could not write %s\n", file.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  bool checksums = false;
  std::filesystem::path folder = "stage_draw_out";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--checksums") checksums = true;
    else folder = std::filesystem::absolute(arg);
  }
  folder = std::filesystem::absolute(folder);
  if (!checksums) std::filesystem::create_directories(folder);
  StartProjectData();
  for (const draw_frames::DrawMode& mode : draw_frames::kDrawModes) {
    const std::string prefix = mode.name;
    draw_frames::RunFrames(mode, [&](const std::string& name) {
      if (checksums) std::printf("%s %s 0x%016" PRIx64 "\n", prefix.c_str(), name.c_str(), draw_frames::BackBufferChecksum());
      else Save(folder / (prefix + "_" + name + ".png"));
    });
  }
  StopProjectData();
  if (!checksums) std::printf("wrote the pictures to %s\n", folder.c_str());
  return 0;
}
