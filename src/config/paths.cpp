#include "config/paths.h"

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
