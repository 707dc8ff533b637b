// Level packs: the folders "lvlpck" + name in the program folder, the pack and
// level in use and the number of levels of that pack. Level n of a pack is
// the file zeroPad(n, 3) + ".zdl" in its folder; the editor appends, moves
// and deletes them, with the players' statistics following. Creating,
// renaming and deleting whole packs is pack_operations.h.
#pragma once

#include <cstdint>
#include <string>

#include "base/list.h"

struct LevelPackState {
    List<std::string> levelPacks;   // pack folder names ("lvlpckzindrop"), kept sorted
    std::int32_t currentPack = 0;   // index into levelPacks of the pack in use
    std::int32_t currentLevel = 0;  // number of the level in use, from 1
    std::int32_t levelCount = 0;    // levels of the current pack, at least 1 once counted
};

extern LevelPackState packs;

// Every pack folder's name starts with this.
constexpr const char* PackPrefix = "lvlpck";

// The game's own first pack, made when no pack exists.
constexpr const char* MainPackFolder = "lvlpckzindrop";

// The current pack's folder name; "" when there is no pack.
std::string currentPackName();

// programFolder + the current pack's folder name + "/".
std::string packFolder();

// The current pack's file of level `number`.
std::string levelFileName(int number);

// ASCII letters lower-cased, as the game compares names of files and packs.
std::string lowerCase(std::string text);

// The name the game compares and sorts by: lower-cased, without leading and
// trailing blanks.
std::string comparableName(const std::string& name);

// Bubble sort of `names` by comparableName, byte by byte; `current` follows
// its entry through every swap. Shared by the pack and profile lists.
void sortNames(List<std::string>& names, std::int32_t& current);

// Rebuilds levelPacks, sorted, from the "lvlpck*" folders and selects pack 1
// (0 when there is none); creates nothing.
void readPackFolders();

// readPackFolders, creating "lvlpckzindrop" when there is no pack.
void listLevelPacks();

// levelCount := the current pack's "???.zdl" files whose name starts with a
// number above 0 (at least 1); currentLevel := 1.
void countLevels();

void sortLevelPacks();
