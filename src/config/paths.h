// Paths: where the game's files lie (everything sits in and below the
// program's folder) and the few string operations on paths that every
// file-handling module uses. Paths use "/" throughout.
#pragma once

#include <string>

struct PathState {
    std::string programFolder;     // folder of the running program, ending in "/"
    std::string dataFolder;        // settings, profiles, packs and statistics: the same folder
    std::string systemFolderPath;  // the operating system's folder, asked for once
    bool systemFolderKnown = false;
};

extern PathState paths;

// Sets programFolder and dataFolder from the program's own folder.
void setProgramFolder(const std::string& folder);

// The path with every "\" turned into "/", cut after its last "/"; a path
// with no "/" gets one appended instead.
std::string folderOf(const std::string& path);

// Every occurrence of the one-character `search` replaced, left to right.
std::string replaceAll(std::string text, const std::string& search, const std::string& replacement);

// The name of the last folder in folderOf(path): "c" for a/b/c/ and a/b/c/x.png.
std::string lastFolderName(const std::string& path);

// n in decimal with "0" in front up to `width` characters; longer is not cut.
std::string zeroPad(long long n, int width);

// The operating system's folder, ending in "/". Asked for on the first call
// and kept for the run. On Linux it is the folder that holds the desktop's
// opener programs ("/usr/bin/"), from which the game starts its file browser.
const std::string& systemFolder();

// The link of the information pages (string 130) is an address with a
// scheme of two letters or more ("https://...", "file:///..."), or the name
// of a page in the program folder ("levels.html").
bool isAddress(const std::string& link);

// A name such a page may have: a plain file name of ASCII letters, digits,
// "-", "_" and "." ending in ".html", not hidden; it has no folder part, so
// the page lies in the program folder itself.
bool isPageName(const std::string& link);
