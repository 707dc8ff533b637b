#include "level/pack_operations.h"

#include "config/dialog.h"
#include "config/language.h"
#include "config/paths.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/files.h"

namespace {

bool entryExists(const std::string& path) { return fileExists(path) || folderExists(path); }

void showPackExists(const std::string& typedName) { showMessage(str(54), typedName, str(55)); }

}  // namespace

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
