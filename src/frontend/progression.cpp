#include "frontend/progression.h"

#include <cctype>

#include "config/dialog.h"
#include "config/settings.h"
#include "frontend/menu_state.h"
#include "gfx/frame.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "play/play.h"
#include "progress/profiles.h"
#include "progress/statistics.h"

ProgressionState progression;

namespace {

// Levels beyond the statistics' 999 read as never played.
std::int32_t completionsOf(int levelNumber) {
    if (levelNumber < 1 || levelNumber > StatisticsLevels) return 0;
    return stats.progress.levelCompletions[levelNumber];
}

std::int32_t unfinishedBetween(int first, int last) {
    std::int32_t count = 0;
    for (int i = first; i <= last; ++i)
        if (completionsOf(i) == 0) ++count;
    return count;
}

// Moves by `step` levels; a level that is not there is undone, and so is
// its message.
void moveLevel(int step) {
    packs.currentLevel += step;
    if (loadCurrentLevel() != LevelLoad::Missing) return;
    packs.currentLevel -= step;
    dialog.dialogId = 0;
    loadCurrentLevel();
}

bool showPackNotice() {
    goToScreen(27, 5);
    return true;
}

}  // namespace

std::int32_t unfinishedCount() { return unfinishedBetween(1, packs.levelCount); }

std::int32_t skippedCount() { return unfinishedBetween(1, packs.currentLevel - 1); }

std::int32_t unfinishedUpToHighestFinished() {
    int highest = 0;
    for (int i = 1; i <= StatisticsLevels; ++i)
        if (stats.progress.levelCompletions[i] != 0) highest = i;
    if (packs.currentLevel - 1 > highest) highest = packs.currentLevel - 1;
    return unfinishedBetween(1, highest);
}

std::int64_t bestTotal() {
    std::int64_t total = 0;
    for (int i = 1; i <= StatisticsLevels; ++i) total += stats.progress.levelBest[i];
    return total;
}

std::string currentProfileName() {
    const List<std::string>& profiles = profileState.profiles;
    return profiles.valid(settings.currentProfile) ? profiles[settings.currentProfile] : "";
}

std::string capitalised(const std::string& name) {
    std::string shown = name;
    if (!shown.empty()) shown[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(shown[0])));
    return shown;
}

LevelLoad loadCurrentLevel() {
    const LevelLoad result = loadLevelFile();
    progression.levelLoaded = result == LevelLoad::Loaded;
    if (!progression.levelLoaded) {
        progression.loadMessage[0] = dialog.dialogLine1;
        progression.loadMessage[1] = dialog.dialogLine2;
        progression.loadMessage[2] = dialog.dialogLine3;
    }
    computeLevelRecord();
    return result;
}

void previousLevel() { moveLevel(-1); }

void nextLevel() { moveLevel(1); }

void firstLevel() {
    packs.currentLevel = 1;
    loadCurrentLevel();
    frameClock.targetZoom = LevelScreenZoom;
}

void firstUnfinishedLevel() {
    for (int i = 1; i <= packs.levelCount; ++i) {
        if (completionsOf(i) == 0) {
            packs.currentLevel = i;
            break;
        }
    }
    loadCurrentLevel();
    frameClock.targetZoom = LevelScreenZoom;
    goToScreen(14, 2);
}

void openPack() {
    countLevels();
    computePackRecord();
    saveProfilePack();
    loadStatistics();
    goToScreen(14, 2);
    loadCurrentLevel();
    frameClock.targetZoom = LevelScreenZoom;
}

void playCurrentLevel() {
    // An empty board is no level: the ball would only fall, again and again.
    if (!progression.levelLoaded) {
        showMessage(progression.loadMessage[0], progression.loadMessage[1], progression.loadMessage[2]);
        return;
    }
    renderer.menuVisible = 0;
    play.score = 0;
    play.shownScore = 0;
    const std::int32_t result = progression.playRunner != nullptr ? progression.playRunner() : playLevel();
    if (result == -1) {
        finishLevel();
        computePackRecord();
    } else {
        loadCurrentLevel();
    }
    renderer.menuVisible = -1;
    frameClock.targetZoom = LevelScreenZoom;
}

void finishLevel() {
    const int current = packs.currentLevel;
    // A level beyond the statistics' 999 counts, but nothing of it is kept.
    const bool kept = current >= 1 && current <= StatisticsLevels;
    std::int32_t unkept = 0;
    if (kept) stats.progress.levelCompletions[current] += 1;
    std::int32_t& best = kept ? stats.progress.levelBest[current] : unkept;
    const std::int32_t score = play.score;
    if (score > stats.levelRecord) {
        best = score;
        // Beating the default record is no news; beating a player's is.
        const bool notice = stats.levelRecord > DefaultLevelRecord;
        if (notice) goToScreen(17, 1);
        stats.levelRecord = score;
        stats.levelRecordHolder = currentProfileName();
        saveStatistics();
        if (notice) return;
        packEndCheck(false);
        advance();
        saveStatistics();
    } else if (best > 0 && score > best) {
        best = score;
        goToScreen(20, 1);
        // Saved at once: closing the window on the notice must not lose it.
        saveStatistics();
    } else {
        if (best == 0) best = score;
        packEndCheck(false);
        advance();
        saveStatistics();
    }
}

void skipLevel() {
    const bool last = packs.currentLevel == packs.levelCount;
    if (last && skippedCount() > 0) {
        firstUnfinishedLevel();
    } else if (last) {
        firstLevel();
    } else if (completionsOf(packs.currentLevel) == 0 && skippedCount() > SkipLimit &&
               currentProfileName() != FreeRunProfile) {
        goToScreen(19, 5);
    } else {
        nextLevel();
        saveStatistics();
        frameClock.targetZoom = LevelScreenZoom;
    }
}

bool packEndCheck(bool afterNotice) {
    Statistics& progress = stats.progress;
    if (packs.currentLevel == packs.levelCount && progress.packEndShown == 0) {
        progress.packEndShown = -1;
        const std::int32_t left = afterNotice ? unfinishedUpToHighestFinished() : unfinishedCount();
        if (left == 0) progress.packCompleteShown = -1;
        return showPackNotice();
    }
    if (unfinishedCount() == 0 && progress.packCompleteShown == 0 && progress.packEndShown == -1) {
        progress.packCompleteShown = -1;
        return showPackNotice();
    }
    return false;
}

void advance() {
    if (packs.currentLevel == packs.levelCount)
        firstLevel();
    else
        nextLevel();
}

void leaveFinishNotice() {
    if (!packEndCheck(true)) goToScreen(14, 2);
    advance();
    saveStatistics();
}
