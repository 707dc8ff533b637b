// Player statistics and profile files. A profile's progress in a pack lives in
// the pack folder as profile name + ".sts": the level to continue from, and
// for each of levels 1..999 how often it was completed and the best score.
// A profile file, name + ".alp" in the data folder, holds the folder name of
// the pack the profile played last, as one line ending in CR LF.
//
// Owns the progress of the current profile in the current pack as it is held
// in memory, and the two records worked out from every profile's file of the
// pack: the best score on the current level and the best pack total, each
// with its holder. Nobody beating the default scores leaves the records with
// the game's maker.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"

constexpr int StatisticsLevels = 999;
constexpr std::size_t StatisticsFileSize = 8004;

struct Statistics {
    std::int32_t currentLevel = 0;                           // level to continue from
    std::int32_t levelCompletions[StatisticsLevels + 1] = {};  // by level 1..999 (0 unused)
    std::int32_t levelBest[StatisticsLevels + 1] = {};         // best score by level; 0 = none
    std::int32_t packEndShown = 0;                           // -1 once the pack-end notice was shown
    std::int32_t packCompleteShown = 0;                      // -1 once the pack-complete notice was shown
};

struct StatisticsState {
    Statistics progress;                 // the current profile in the current pack; its
                                         // currentLevel is packs.currentLevel while in use
    std::int32_t levelRecord = 10000;    // best score on the current level over all profiles
    std::string levelRecordHolder;       // profile holding it, or the default holder
    std::int64_t packRecord = 0;         // best pack total over all profiles
    std::string packRecordHolder;        // profile holding it, or the default holder
};

extern StatisticsState stats;

// The record a level has when no player scored more, and its holder.
constexpr std::int32_t DefaultLevelRecord = 10000;
inline const char* const DefaultRecordHolder = "Tavisk Software";

// The scratch file a statistics file is rewritten through.
inline const char* const StatisticsScratchFile = "tempstat.tmp";

// The 8004 bytes of a statistics file.
Bytes encodeStatistics(const Statistics& statistics);

// Reads a statistics file; fields beyond a short file's end stay 0.
Statistics decodeStatistics(const Bytes& bytes);

// The current pack's statistics file of profile `name`.
std::string statisticsFileName(const std::string& name);

// The progress of the current profile in the current pack: every count,
// score and flag 0, then the profile's file read as far as it goes. The
// level to continue from becomes currentLevel: 1 without a file, and kept
// within 1..levelCount for a damaged one.
void loadStatistics();

// Writes the current profile's file with currentLevel and the progress. The
// new file replaces the old one only once it is complete, so a failed save
// keeps what was there. False without a profile or when the write failed.
bool saveStatistics();

// The pack record: the largest sum of level bests over every statistics
// file of the current pack (the first file in listing order wins a tie),
// held by that file's profile; below levelCount x 10000 the default holder
// keeps levelCount x 10000.
void computePackRecord();

// The level record of the current level, worked out the same way from each
// file's best on that level; below 10000 the default holder keeps 10000.
void computeLevelRecord();

// How the editor changed the levels around `level`: level removed, or
// swapped with the one before or after it.
enum class LevelShift { Removed = 0, SwappedWithPrevious = 1, SwappedWithNext = 2 };

// Makes one profile's statistics follow its levels after that change.
void shiftStatistics(Statistics& statistics, LevelShift shift, int level);

// shiftStatistics for every ".sts" file of the current pack, around the
// current level, each file rewritten through the scratch file "tempstat.tmp".
// All or nothing: when one file cannot be rewritten, those already rewritten
// get their old bytes back and false comes back.
bool shiftLevelStatistics(LevelShift shift);

// Points every profile whose stored pack is `oldPack` (compared lower-cased
// and trimmed) at `newPack`.
void replaceProfilePack(const std::string& oldPack, const std::string& newPack);
