#include "level/level_packs.h"

#include <cctype>

#include "core/dialog.h"
#include "core/language.h"
#include "core/paths.h"
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
        const std::string defaultPack = MainPackFolder;
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

bool usablePackName(const std::string& typedName) {
    if (typedName.find_first_not_of(". ") == std::string::npos) return false;
    for (char c : typedName)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < ' ') return false;
    return true;
}

bool createLevelPack(const std::string& typedName) {
    if (!usablePackName(typedName)) return false;
    const std::string folderName = PackPrefix + typedName;
    if (entryExists(paths.programFolder + folderName)) {
        showPackExists(typedName);
        return false;
    }
    // A folder that cannot be made leaves everything as it was, the level in
    // memory included.
    if (!makeFolder(paths.programFolder + folderName)) {
        showMessage(str(76), str(78), str(79));
        return false;
    }
    packs.currentPack = packs.levelPacks.append(folderName);
    packs.levelCount = 1;
    packs.currentLevel = 1;
    clearLevel();
    saveLevel(levelFileName(1));
    level.levelModified = 0;
    sortLevelPacks();
    return true;
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

bool renameLevelPack(const std::string& typedName) {
    if (!packs.levelPacks.valid(packs.currentPack) || !usablePackName(typedName)) return false;
    const std::string oldName = currentPackName();
    const std::string newName = PackPrefix + typedName;
    if (lowerCase(newName) == lowerCase(oldName)) return false;
    if (entryExists(paths.programFolder + newName)) {
        showPackExists(typedName);
        return false;
    }
    const std::string oldFolder = packFolder();
    const std::string newFolder = paths.programFolder + newName + "/";
    if (!makeFolder(newFolder)) {
        showMessage(str(76), str(78), str(79));
        return false;
    }
    // A file whose copy failed stays in the old folder (which then stays too)
    // rather than being lost.
    for (const std::string& name : listFolder(oldFolder, "*", EntryKind::Files))
        if (copyFile(oldFolder + name, newFolder + name)) deleteFile(oldFolder + name);
    removeFolder(oldFolder);
    packs.levelPacks[packs.currentPack] = newName;
    sortLevelPacks();
    return true;
}
