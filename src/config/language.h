// Language: the list of language files beside the program and the table of
// 238 on-screen strings read from the chosen one. Every module names its
// texts by number: str(91) is line 91 of the language file.
#pragma once

#include <string>

#include "base/list.h"

constexpr int StringCount = 238;

struct LanguageState {
    List<std::string> languageFiles;  // "*.str" names in the program folder, listing order
    List<std::string> strings;        // entries 1..238 of the chosen file
};

extern LanguageState language;

// String n of the table (1..238); "" outside that range.
const std::string& str(int n);

// Rebuilds languageFiles from the program folder (files only).
void listLanguageFiles();

// Fills the string table from the first 238 lines of programFolder + name.
// A line loses one leading and one trailing double quote; missing lines are
// empty. False when the file cannot be read (the table is then all empty).
bool loadLanguage(const std::string& fileName);

// Parses file contents into the 238 strings (shared by loadLanguage and tests).
void parseLanguage(const std::string& contents, List<std::string>& table);

// Start-up step: if the configured name is not in the list, it becomes the
// first listed file. The list must not be empty.
void chooseStartLanguage();
