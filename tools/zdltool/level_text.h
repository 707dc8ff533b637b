// The text form of a level file, for level designers: the level-wide values
// as named fields, the board drawn as character grids (one grid per list,
// with a legend of characters), and every object that does not fit a grid as
// a line of its own. Building a level's text gives back the level's bytes
// exactly. The format is described in docs/level-text-format.md.
#pragma once

#include <string>
#include <vector>

#include "level/level_file.h"

struct TextProblem {
    int line = 0;         // 1-based line of the text
    std::string message;  // what is wrong, for a person
};

// The name of list 1..10 in the text form (the level model's list names).
const char* levelListName(int number);

// The text form of `data`. Whatever version `data` was read from, building the
// text gives the version-7 file of exactly these values.
std::string levelToText(const LevelFileData& data);

// Reads the text form. On mistakes returns false with the problems found
// (in line order, at most a few dozen) and `data` unspecified.
bool levelFromText(const std::string& text, LevelFileData& data, std::vector<TextProblem>& problems);

// The problems as "FILE:LINE: message" lines.
std::string describeProblems(const std::string& fileName, const std::vector<TextProblem>& problems);
