#include "level/level_packs.h"

#include <cctype>

#include "config/paths.h"
#include "platform/files.h"

LevelPackState packs;

namespace {

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

void readPackFolders() {
    packs.levelPacks.clear();
    for (const std::string& name :
         listFolder(paths.programFolder, std::string(PackPrefix) + "*", EntryKind::Folders))
        packs.levelPacks.append(name);
    sortLevelPacks();
    packs.currentPack = packs.levelPacks.empty() ? 0 : 1;
}

void listLevelPacks() {
    readPackFolders();
    if (packs.levelPacks.empty()) {
        const std::string defaultPack = MainPackFolder;
        packs.levelPacks.append(defaultPack);
        makeFolder(paths.programFolder + defaultPack);
        packs.currentPack = 1;
    }
}

void countLevels() {
    int count = 0;
    for (const std::string& name : listFolder(packFolder(), "???.zdl", EntryKind::Files))
        if (leadingNumber(name) > 0) ++count;
    packs.levelCount = count > 0 ? count : 1;
    packs.currentLevel = 1;
}
