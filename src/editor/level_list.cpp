// The editor's operations on the numbered level files of the current pack.
// Each first rearranges the files, then has the statistics follow; when any
// step fails the steps already taken are undone in reverse, so a failure
// never leaves a level under the scratch name or statistics that point at
// the wrong levels.
#include "config/dialog.h"
#include "config/language.h"
#include "editor/editor.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/files.h"
#include "progress/statistics.h"

namespace {

constexpr int MaxLevels = 999;

std::string scratchFile() { return packFolder() + "tempinc.zdl"; }

// Exchanges the files of levels a and b through the scratch name. A
// leftover scratch file from an interrupted run blocks the exchange instead
// of being overwritten.
bool swapLevelFiles(int a, int b) {
    if (!renameFile(levelFileName(a), scratchFile())) return false;
    if (!renameFile(levelFileName(b), levelFileName(a))) {
        renameFile(scratchFile(), levelFileName(a));
        return false;
    }
    if (renameFile(scratchFile(), levelFileName(b))) return true;
    renameFile(levelFileName(a), levelFileName(b));
    renameFile(scratchFile(), levelFileName(a));
    return false;
}

// Swaps levels a and a + 1 with their statistics; `shift` says which of
// them is current.
bool swapLevels(int a, LevelShift shift) {
    if (!swapLevelFiles(a, a + 1)) return false;
    if (shiftLevelStatistics(shift)) return true;
    swapLevelFiles(a, a + 1);
    return false;
}

}  // namespace

bool appendLevel() {
    if (packs.levelCount >= MaxLevels) return false;
    const int number = packs.levelCount + 1;
    if (fileExists(levelFileName(number)) || folderExists(levelFileName(number))) {
        // A file outside the counted numbering; it is never overwritten.
        showMessage(str(76), str(78), str(79));
        return false;
    }
    const Level edited = level;
    const std::int32_t editedNumber = packs.currentLevel;
    packs.levelCount = number;
    packs.currentLevel = number;
    clearLevel();
    if (saveLevel(levelFileName(number))) {
        level.levelModified = 0;
        return true;
    }
    level = edited;
    packs.levelCount = number - 1;
    packs.currentLevel = editedNumber;
    return false;
}

bool deleteLevel() {
    const int current = packs.currentLevel;
    const int count = packs.levelCount;
    // The level steps aside under the scratch name until the others have
    // moved down and the statistics followed; only then is it deleted.
    bool done = renameFile(levelFileName(current), scratchFile());
    if (done) {
        int moved = 0;
        for (int i = current; i < count && done; ++i) {
            done = renameFile(levelFileName(i + 1), levelFileName(i));
            if (done) ++moved;
        }
        if (done) done = shiftLevelStatistics(LevelShift::Removed);
        if (!done) {
            for (int i = current + moved - 1; i >= current; --i) renameFile(levelFileName(i), levelFileName(i + 1));
            renameFile(scratchFile(), levelFileName(current));
        }
    }
    if (done) {
        deleteFile(scratchFile());
        packs.levelCount = count - 1;
        if (packs.currentLevel > packs.levelCount) packs.currentLevel = packs.levelCount;
        if (packs.currentLevel < 1) packs.currentLevel = 1;
    }
    loadLevel();
    return done;
}

bool moveLevelLater() {
    if (packs.currentLevel >= packs.levelCount) return false;
    if (!swapLevels(packs.currentLevel, LevelShift::SwappedWithNext)) return false;
    ++packs.currentLevel;
    return true;
}

bool moveLevelEarlier() {
    if (packs.currentLevel <= 1) return false;
    if (!swapLevels(packs.currentLevel - 1, LevelShift::SwappedWithPrevious)) return false;
    --packs.currentLevel;
    return true;
}
