#include "tools/sample_game/sample_game.h"

#include <cstdio>

#include "tools/sample_game/art.h"
#include "tools/sample_game/bmp_file.h"
#include "tools/sample_game/game_folder.h"
#include "tools/sample_game/ogg_file.h"
#include "tools/sample_game/sample_palette.h"
#include "tools/sample_game/song.h"
#include "tools/sample_game/stages/stage_files.h"
#include "tools/sample_game/sound_effects.h"
#include "tools/sample_game/wave_file.h"

namespace sample_game {
namespace {

void AddPictures(std::vector<StoredFile>& files, Pictures pictures) {
  for (Picture& picture : pictures) files.push_back({picture.path, EncodeBmp8(picture.image, SamplePalette())});
}

void AddBlendTables(std::vector<StoredFile>& files) {
  for (int n = 0; n < kColourVariants; ++n) {
    char path[32];
    std::snprintf(path, sizeof path, "bmp\\hbt\\hbt%02d.dat", n);
    files.push_back({path, BlendTable(PaletteVariant(n))});
  }
}

void AddSounds(std::vector<StoredFile>& files) {
  for (const auto* list : {&SystemSounds(), &DatabaseSounds()})
    for (const SoundEffect& sound : *list) files.push_back({sound.path, EncodeWav(Render(sound.tones))});
}

void AddMusic(std::vector<StoredFile>& files) {
  const Song& tune = SampleTune();
  files.push_back({"bgm\\Title.mid", EncodeMidi(tune, kTitleArrangement)});
  files.push_back({"bgm\\Map.mid", EncodeMidi(tune, kMapArrangement)});
  files.push_back({"bgm\\Boss.mid", EncodeMidi(tune, kBossArrangement)});
  files.push_back({"bgm\\Title.ogg", EncodeOgg(RenderSong(tune, kTitleArrangement))});
  files.push_back({"bgm\\Stage.ogg", EncodeOgg(RenderSong(tune, kStageArrangement))});
}

}  // namespace

std::vector<StoredFile> SampleGameFiles(const GenerateOptions& options) {
  std::vector<StoredFile> files;
  const std::string ini = SystemIniText(options.startup);
  files.push_back({"System.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
  for (const char* folder : {"data", "default"}) {
    if (!options.withDataFolder && std::string(folder) == "data") continue;
    for (StoredFile& file : ProjectFiles(folder)) files.push_back(std::move(file));
    for (StoredFile& file : DefinitionFiles(folder)) files.push_back(std::move(file));
  }
  AddPictures(files, SystemPictures());
  AddPictures(files, CharacterPictures());
  AddPictures(files, StagePictures());
  AddPictures(files, DatabasePictures());
  AddPictures(files, ScreenPictures());
  AddBlendTables(files);
  AddSounds(files);
  AddMusic(files);
  return files;
}

bool GenerateSampleGame(const std::filesystem::path& root, const GenerateOptions& options, std::string* failedPath) {
  const GameFolder folder(root);
  for (const StoredFile& file : SampleGameFiles(options)) {
    if (!folder.Write(file.path, file.bytes)) {
      if (failedPath) *failedPath = file.path;
      return false;
    }
  }
  return true;
}

}  // namespace sample_game
