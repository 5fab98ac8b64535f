#pragma once
// Where a stage's ranking lives: one file per play mode and stage, in the
// mode's folder (story, challenge, free play; a replay has none), named by
// the stage name without its folder and the extension "rkg" appended as it
// stands. Story stages also carry their stage code in the name, so each
// code of a stage keeps its own ranking.
//
// The stage name is the one the save data records for the stage being
// played ("c01." for data\stg4\c01-1.stg4: a run of stages shares one
// ranking, user_data\story\c01.rkg, or c01_c007_2.rkg with a stage code).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "screens/ranking/ranking_records.h"

// The stored path of the ranking file; nullopt for a mode without rankings.
std::optional<std::string> RankingFilePath(int playMode, std::string_view stageName, std::int32_t code1,
                                           std::int32_t code2, std::int32_t code3);

// Loads the ranking file: 1. A mode without a file, a missing, newer or
// damaged file (the last reported by the loader): the default tables and 0.
int LoadRanking(cRanking& ranking, int playMode, std::string_view stageName, std::int32_t code1,
                std::int32_t code2, std::int32_t code3);
// Writes the ranking file atomically: false for a mode without a file or a
// failed write (reported; the old file stays).
bool SaveRanking(cRanking& ranking, int playMode, std::string_view stageName, std::int32_t code1,
                 std::int32_t code2, std::int32_t code3);
