// Level progression: how a player walks through the levels of a pack. Owns
// the rules between the menus and play: the counts worked out from the
// progress (unfinished and skipped levels, the best total), the moves of the
// level screen (previous, next, first, first unfinished level), what a
// finished level changes and which notice it leads to, the limit on skipped
// levels, and the choice of the function that plays a level.
//
// The progress itself (completions, bests, the two notice flags) and the
// records are the statistics module's; the pack and level in use are the
// level packs'.
#pragma once

#include <cstdint>
#include <string>

#include "level/level_file.h"

struct ProgressionState {
    std::int32_t (*playRunner)() = nullptr;  // plays the loaded level (playLevel when unset)
    bool levelLoaded = false;                // the current level is in memory as its file holds it
    std::string loadMessage[3];              // the loader's lines when it is not: Play shows them again
};

extern ProgressionState progression;

// A level may be skipped while at most this many earlier levels are
// unfinished; the profile named FreeRunProfile may always skip.
constexpr int SkipLimit = 8;
inline const char* const FreeRunProfile = "freerun";

// The zoom of the level screen's view of the level.
constexpr double LevelScreenZoom = 0.25;

// Levels 1..levelCount never finished.
std::int32_t unfinishedCount();
// Levels before the current one never finished.
std::int32_t skippedCount();
// Unfinished levels from 1 up to the highest level ever finished, or up to
// currentLevel - 1 when that is higher.
std::int32_t unfinishedUpToHighestFinished();
// The sum of the bests of every level.
std::int64_t bestTotal();

// The name of the current profile; "" when there is none.
std::string currentProfileName();
// A name as the screens show it: the first character in upper case.
std::string capitalised(const std::string& name);

// Loads the current level of the current pack and works out its record. A
// level that cannot be loaded leaves the empty level with the loader's
// message up, and is not played (see playCurrentLevel).
LevelLoad loadCurrentLevel();

// The level moves of the level screen. A move to a level that does not exist
// is undone without a message; a level whose file is there but unusable
// (damaged, say) is moved to, with the loader's message up, so that the
// player sees why and can go on around it.
void previousLevel();
void nextLevel();
void firstLevel();
// To the lowest unfinished level (staying when there is none), on the level
// screen.
void firstUnfinishedLevel();

// Opens the current pack for the current profile: levels counted, record
// worked out, the profile's choice of pack saved, its progress loaded, and
// the level screen shown at the level to continue from.
void openPack();

// The play item of the level screen: plays the current level and handles
// the result. A level that did not load is not played: its loader's message
// shows again, and nothing is recorded or saved.
void playCurrentLevel();

// What a finished level changes (play.score is its score): completions,
// the level record or personal best with their notices, the end of the pack,
// the move to the next level, and the progress saved.
void finishLevel();

// The skip item of the level screen: the next level, or back to the first
// (unfinished) one from the last; refused with a notice past the limit.
void skipLevel();

// Shows the pack-progress notice when the last level was finished for the
// first time, or when no level is left unfinished for the first time.
// `afterNotice` counts the unfinished levels up to the highest finished one
// (as after the record and personal-best notices). True when it did.
bool packEndCheck(bool afterNotice);

// The level after a finished one: the next, or the first after the last.
void advance();

// A key on the level-record or personal-best notice: the pack-end check (or
// back to the level screen), then the advance, saved.
void leaveFinishNotice();
