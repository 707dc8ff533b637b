#include "config/paths.h"

#include <algorithm>
#include <cctype>

#include "platform/platform.h"

PathState paths;

void setProgramFolder(const std::string& folder) {
    paths.programFolder = folderOf(folder);
    paths.dataFolder = paths.programFolder;
}

std::string replaceAll(std::string text, const std::string& search, const std::string& replacement) {
    if (search.size() != 1) return text;
    std::string result;
    for (char c : text) {
        if (c == search[0])
            result += replacement;
        else
            result += c;
    }
    return result;
}

std::string folderOf(const std::string& path) {
    const std::string slashed = replaceAll(path, "\\", "/");
    const auto last = slashed.find_last_of('/');
    if (last == std::string::npos) return slashed + "/";
    return slashed.substr(0, last + 1);
}

std::string lastFolderName(const std::string& path) {
    std::string folder = folderOf(path);
    folder.pop_back();  // folderOf always ends in "/"
    const auto last = folder.find_last_of('/');
    return last == std::string::npos ? folder : folder.substr(last + 1);
}

std::string zeroPad(long long n, int width) {
    std::string digits = std::to_string(n);
    while (static_cast<int>(digits.size()) < width) digits.insert(digits.begin(), '0');
    return digits;
}

const std::string& systemFolder() {
    if (!paths.systemFolderKnown) {
        std::string folder = platform().systemFolder();
        if (folder.empty()) folder = "C:\\WINDOWS";
        if (folder.back() != '\\' && folder.back() != '/') folder += "\\";
        paths.systemFolderPath = replaceAll(folder, "\\", "/");
        paths.systemFolderKnown = true;
    }
    return paths.systemFolderPath;
}

bool isAddress(const std::string& link) {
    const std::size_t colon = link.find(':');
    if (colon == std::string::npos || colon < 2) return false;  // "C:/..." is a drive, not a scheme
    if (!std::isalpha(static_cast<unsigned char>(link[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(link[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

bool isPageName(const std::string& link) {
    const std::string ending = ".html";
    if (link.size() <= ending.size() || link.compare(link.size() - ending.size(), ending.size(), ending) != 0)
        return false;
    // Letters, digits, "-", "_" and "." only: a name every file system takes
    // as it is, and never a folder part.
    return link[0] != '.' && std::all_of(link.begin(), link.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.';
           });
}
