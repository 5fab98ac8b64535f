#pragma once
// The tables of project and player paths (stored spelling: CP932, '\\'
// separators, relative to the game folder), the file extensions, and the
// folders that start-up makes. Entries that only the editor uses keep their
// places so that indexes stay the same.

#include <array>
#include <string_view>

inline constexpr std::array<std::string_view, 49> g_Paths = {
    "data\\",
    "default\\",
    "data\\stg4\\old_ver\\",
    "data\\work\\",
    "e_data\\SheetSize.dat",
    "e_data\\EditConfig.dat",
    "data\\PrjOption.dat",
    "default\\PrjOption.dat",
    "data\\CommonPalette.cplt4",
    "default\\CommonPalette.cplt4",
    "data\\GValInfo.dat",
    "default\\GValInfo.dat",
    "data\\stg4\\Default.stg4_***",
    "default\\stg4\\Default.stg4_***",
    "data\\WorldMap.dat",
    "default\\WorldMap.dat",
    "data\\database\\AnimeSet.dat",
    "default\\database\\AnimeSet.dat",
    "data\\database\\Anime.dat",
    "default\\database\\Anime.dat",
    "data\\database\\Bmp_CharaExc.dat",
    "default\\database\\Bmp_CharaExc.dat",
    "data\\database\\SwordType.dat",
    "default\\database\\SwordType.dat",
    "data\\database\\Effect.dat",
    "default\\database\\Effect.dat",
    "data\\database\\CharaEffect.dat",
    "default\\database\\CharaEffect.dat",
    "data\\database\\ScrEffect.dat",
    "default\\database\\ScrEffect.dat",
    "data\\database\\Picture.dat",
    "default\\database\\Picture.dat",
    "data\\database\\Sound.dat",
    "default\\database\\Sound.dat",
    "data\\database\\Bgm.dat",
    "default\\database\\Bgm.dat",
    "data\\System.dat",
    "default\\System.dat",
    "data\\stg4\\c",
    "user_data\\story\\",
    "user_data\\challenge\\",
    "user_data\\free\\",
    "user_data\\story\\Story",
    "user_data\\challenge\\Challenge.dat",
    "user_data\\Option.dat",
    "user_data\\",
    "user_data\\KeyConfig.dat",
    "user_data\\Boot.dat",
    "user_data\\Window.dat",
};

// Indexes of the entries that the player opens.
enum PathIndex : int {
  PATH_DATA = 0,
  PATH_DEFAULT = 1,
  PATH_COMMON_PALETTE = 8,
  PATH_WORLD_MAP = 14,
  PATH_ANIME_SET = 16,
  PATH_ANIME = 18,
  PATH_BMP_CHARA_EXC = 20,
  PATH_SWORD_TYPE = 22,
  PATH_EFFECT = 24,
  PATH_CHARA_EFFECT = 26,
  PATH_SCR_EFFECT = 28,
  PATH_PICTURE = 30,
  PATH_SOUND = 32,
  PATH_BGM = 34,
  PATH_SYSTEM = 36,
  PATH_CHALLENGE_STAGE_PREFIX = 38,
  PATH_RANKING_STORY = 39,
  PATH_RANKING_CHALLENGE = 40,
  PATH_RANKING_FREE = 41,
  PATH_STORY_SAVE_PREFIX = 42,
  PATH_CHALLENGE_SAVE = 43,
  PATH_USER_OPTION = 44,
  PATH_USER_DATA = 45,
  PATH_KEY_CONFIG = 46,
  PATH_BOOT = 47,
  PATH_WINDOW = 48,
};

inline constexpr std::array<std::string_view, 4> g_Extensions = {"cplt4", "stg4", "plt4", "rkg"};

enum ExtensionIndex : int { EXT_COMMON_PALETTE = 0, EXT_STAGE = 1, EXT_PALETTE = 2, EXT_RANKING = 3 };

// Folders that start-up makes, in this order, once the project folder exists.
inline constexpr std::array<std::string_view, 22> g_FolderList = {
    "user_data",         "user_data\\story", "user_data\\challenge", "user_data\\free",
    "user_data\\rpl4",   "data",             "data\\database",       "data\\stg4",
    "data\\stg4\\old_ver", "data\\work",     "data\\plt4",           "bmp",
    "bmp\\back",         "bmp\\chara_sp",    "bmp\\effect",          "bmp\\picture",
    "bmp\\sword",        "bmp\\convert",     "bmp\\plt",             "bmp\\hbt",
    "wave",              "bgm",
};
