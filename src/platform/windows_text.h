// Text at the Windows calls: the game keeps paths and names in UTF-8, and
// Windows takes and gives them in UTF-16 (the "W" functions), so that a
// folder such as C:/Users/Jürgen/ works whatever the system's code page.
#pragma once
#ifdef _WIN32

#include <string>

// UTF-8 to UTF-16. Bytes that are not UTF-8 are read as Windows-1252, the
// character set of the game's own texts, so that no name is lost.
std::wstring widen(const std::string& utf8);

// UTF-16 to UTF-8.
std::string narrow(const std::wstring& wide);

#endif
