#include "level/level_packs.h"

#include <cctype>

#include "core/dialog.h"
#include "core/language.h"
#include "core/paths.h"
#include "frontend/statistics.h"
#include "level/level.h"
#include "level/level_file.h"
#include "platform/files.h"

LevelPackState packs;

namespace {

const char* const PackPrefix = "lvlpck";

bool entryExists(const std::string& path) { return fileExists(path) || folderExists(path); }

void showPackExists(const std::string& typedName) { showMessage(str(54), typedName, str(55)); }

// The number a level file's name starts with; 0 when it starts with no digit.
long leadingNumber(const std::string& name) {
    long number = 0;
    for (char c : name) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || number > 100000) break;
        number = number * 10 + (c - '0');
    }
    return number;
}

// Exchanges the files of levels a and b through the scratch name. Stops at
// the first rename that fails and undoes the one before it, so no level
// file is ever left under the scratch name; a leftover scratch file from an
// interrupted run blocks the exchange instead of being overwritten.
bool swapLevelFiles(int a, int b) {
    const std::string scratch = packFolder() + "tempinc.zdl";
    if (!renameFile(levelFileName(a), scratch)) return false;
    if (!renameFile(levelFileName(b), levelFileName(a))) {
        renameFile(scratch, levelFileName(a));
        return false;
    }
    return renameFile(scratch, levelFileName(b));
}

}  // namespace

std::string currentPackName() {
    return packs.levelPacks.valid(packs.currentPack) ? packs.levelPacks[packs.currentPack] : "";
}

std::string packFolder() { return paths.programFolder + currentPackName() + "/"; }

std::string levelFileName(int number) { return packFolder() + zeroPad(number, 3) + ".zdl"; }

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string comparableName(const std::string& name) {
    const auto first = name.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    const auto last = name.find_last_not_of(' ');
    return lowerCase(name.substr(first, last - first + 1));
}

void sortNames(List<std::string>& names, std::int32_t& current) {
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int i = 1; i < names.count(); ++i) {
            if (comparableName(names[i]) <= comparableName(names[i + 1])) continue;
            std::swap(names[i], names[i + 1]);
            if (current == i)
                current = i + 1;
            else if (current == i + 1)
                current = i;
            swapped = true;
        }
    }
}

void sortLevelPacks() { sortNames(packs.levelPacks, packs.currentPack); }

void listLevelPacks() {
    packs.levelPacks.clear();
    for (const std::string& name :
         listFolder(paths.programFolder, std::string(PackPrefix) + "*", EntryKind::Folders))
        packs.levelPacks.append(name);
    if (packs.levelPacks.empty()) {
        const std::string defaultPack = std::string(PackPrefix) + "zindrop";
        packs.levelPacks.append(defaultPack);
        makeFolder(paths.programFolder + defaultPack);
    }
    sortLevelPacks();
    packs.currentPack = 1;
}

void countLevels() {
    int count = 0;
    for (const std::string& name : listFolder(packFolder(), "???.zdl", EntryKind::Files))
        if (leadingNumber(name) > 0) ++count;
    packs.levelCount = count > 0 ? count : 1;
    packs.currentLevel = 1;
}

void createLevelPack(const std::string& typedName) {
    const std::string folderName = PackPrefix + typedName;
    if (entryExists(paths.programFolder + folderName)) {
        showPackExists(typedName);
        return;
    }
    packs.currentPack = packs.levelPacks.append(folderName);
    makeFolder(paths.programFolder + folderName);
    packs.levelCount = 1;
    packs.currentLevel = 1;
    clearLevel();
    saveLevel(levelFileName(1));
    level.levelModified = 0;
    sortLevelPacks();
}

void deleteLevelPack() {
    if (!packs.levelPacks.valid(packs.currentPack)) return;
    const std::string folder = packFolder();
    for (const std::string& name : listFolder(folder, "*", EntryKind::Files)) deleteFile(folder + name);
    removeFolder(folder);
    packs.levelPacks.removeAt(packs.currentPack);
    if (packs.levelPacks.empty())
        listLevelPacks();
    else if (packs.currentPack > packs.levelPacks.count())
        packs.currentPack = packs.levelPacks.count();
    countLevels();
    loadLevel();
    sortLevelPacks();
}

void renameLevelPack(const std::string& typedName) {
    if (!packs.levelPacks.valid(packs.currentPack)) return;
    const std::string oldName = currentPackName();
    const std::string newName = PackPrefix + typedName;
    if (lowerCase(newName) == lowerCase(oldName)) return;
    if (entryExists(paths.programFolder + newName)) {
        showPackExists(typedName);
        return;
    }
    const std::string oldFolder = packFolder();
    const std::string newFolder = paths.programFolder + newName + "/";
    if (!makeFolder(newFolder)) return;
    // A file whose copy failed stays in the old folder (which then stays too)
    // rather than being lost.
    for (const std::string& name : listFolder(oldFolder, "*", EntryKind::Files))
        if (copyFile(oldFolder + name, newFolder + name)) deleteFile(oldFolder + name);
    removeFolder(oldFolder);
    replaceProfilePack(oldName, newName);
    packs.levelPacks[packs.currentPack] = newName;
    sortLevelPacks();
}

bool appendLevel() {
    ++packs.levelCount;
    packs.currentLevel = packs.levelCount;
    clearLevel();
    const bool saved = saveLevel(levelFileName(packs.currentLevel));
    level.levelModified = 0;
    return saved;
}

bool deleteLevel() {
    const bool deleted = deleteFile(levelFileName(packs.currentLevel));
    if (deleted) {
        shiftLevelStatistics(LevelShift::Removed);
        --packs.levelCount;
        for (int i = packs.currentLevel; i <= packs.levelCount; ++i)
            renameFile(levelFileName(i + 1), levelFileName(i));
        if (packs.currentLevel > packs.levelCount) packs.currentLevel = packs.levelCount;
        if (packs.currentLevel < 1) packs.currentLevel = 1;
    }
    loadLevel();
    return deleted;
}

bool moveLevelLater() {
    if (packs.currentLevel >= packs.levelCount) return false;
    if (!swapLevelFiles(packs.currentLevel, packs.currentLevel + 1)) return false;
    shiftLevelStatistics(LevelShift::SwappedWithNext);
    ++packs.currentLevel;
    return true;
}

bool moveLevelEarlier() {
    if (packs.currentLevel <= 1) return false;
    if (!swapLevelFiles(packs.currentLevel - 1, packs.currentLevel)) return false;
    shiftLevelStatistics(LevelShift::SwappedWithPrevious);
    --packs.currentLevel;
    return true;
}
