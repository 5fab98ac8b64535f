// Writes the sample game into a folder:
//   tool_sample_game FOLDER [--no-data]
// --no-data leaves data\ out, so that the player creates it from default\.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/sample_game/sample_game.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [--no-data]\n", argv[0]);
    return 2;
  }
  sample_game::GenerateOptions options;
  for (int i = 2; i < argc; ++i)
    if (std::strcmp(argv[i], "--no-data") == 0) options.withDataFolder = false;
  std::string failed;
  if (!sample_game::GenerateSampleGame(argv[1], options, &failed)) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], failed.c_str());
    return 1;
  }
  return 0;
}
