// Text encoding: the game's texts are bytes in Windows-1252 (the character
// set of the language files); the desktop speaks UTF-8.
#pragma once

#include <string>

// UTF-8 to Windows-1252; characters the code page lacks are dropped, and so
// are malformed sequences.
std::string utf8ToWindows1252(const std::string& utf8);

// Windows-1252 to UTF-8 (bytes the code page leaves undefined become U+FFFD).
std::string windows1252ToUtf8(const std::string& text);
