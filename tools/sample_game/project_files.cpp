#include "tools/sample_game/project_files.h"

#include "tools/sample_game/record_bytes.h"

namespace sample_game {
namespace {

template <typename List>
void AddList(std::vector<StoredFile>& files, const std::string& folder, const char* name, List& list) {
  files.push_back({folder + "\\database\\" + name, ListFileBytes(list)});
}

}  // namespace

std::vector<StoredFile> ProjectFiles(const std::string& folder) {
  std::vector<StoredFile> files;
  cDatabase db = BuildDatabase();
  cSystem system = BuildSystemRecord();
  cWorldMap map = BuildWorldMap();
  files.push_back({folder + "\\System.dat", RecordFileBytes(system)});
  files.push_back({folder + "\\WorldMap.dat", RecordFileBytes(map)});
  AddList(files, folder, "AnimeSet.dat", db.m_vAnimeSet);
  AddList(files, folder, "Anime.dat", db.m_vAnime);
  AddList(files, folder, "Bmp_CharaExc.dat", db.m_vBmpCharaExc);
  AddList(files, folder, "SwordType.dat", db.m_vSwordType);
  AddList(files, folder, "Effect.dat", db.m_vEffect);
  AddList(files, folder, "CharaEffect.dat", db.m_vCharaEffect);
  AddList(files, folder, "ScrEffect.dat", db.m_vScrEffect);
  AddList(files, folder, "Picture.dat", db.m_vPicture);
  AddList(files, folder, "Sound.dat", db.m_vSound);
  AddList(files, folder, "Bgm.dat", db.m_vBgm);
  return files;
}

}  // namespace sample_game
