// Player statistics and profile files. A profile's progress in a pack lives in
// the pack folder as profile name + ".sts": the level to continue from, and
// for each of levels 1..999 how often it was completed and the best score.
// A profile file, name + ".alp" in the data folder, holds the folder name of
// the pack the profile played last, as one line ending in CR LF.
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

// The 8004 bytes of a statistics file.
Bytes encodeStatistics(const Statistics& statistics);

// Reads a statistics file; fields beyond a short file's end stay 0.
Statistics decodeStatistics(const Bytes& bytes);

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
