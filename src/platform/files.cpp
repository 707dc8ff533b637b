#include "platform/files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/files_native.h"

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lower(x) < lower(y); });
}

}  // namespace

std::string folderOfPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

bool wildcardMatch(const std::string& pattern, const std::string& name) {
    // Iterative matcher with one backtrack point for the last "*".
    std::size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<std::string> listFolder(const std::string& folder, const std::string& pattern,
                                    EntryKind kind) {
    std::vector<std::string> names;
    for (std::string& name : folderEntries(folder, kind))
        if (wildcardMatch(pattern, name)) names.push_back(std::move(name));
    // The system's own order differs between file systems (and between
    // Linux and Windows): sorting makes every listing the same everywhere.
    // Names equal but for case keep a fixed order as well.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if (lessIgnoringCase(a, b)) return true;
        if (lessIgnoringCase(b, a)) return false;
        return a < b;
    });
    return names;
}

bool fileExists(const std::string& path) { return pathIsKind(path, EntryKind::Files); }
bool folderExists(const std::string& path) { return pathIsKind(path, EntryKind::Folders); }

bool readFile(const std::string& path, Bytes& contents) {
    contents.clear();
    std::FILE* file = openFile(path, "rb");
    if (file == nullptr) return false;
    std::uint8_t buffer[65536];
    bool ok = true;
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        contents.insert(contents.end(), buffer, buffer + got);
        if (got < sizeof buffer) {
            ok = std::ferror(file) == 0;
            break;
        }
    }
    std::fclose(file);
    return ok;
}

bool readTextFile(const std::string& path, std::string& contents) {
    Bytes bytes;
    if (!readFile(path, bytes)) return false;
    contents.assign(bytes.begin(), bytes.end());
    return true;
}

bool writeFileSafely(const std::string& path, const Bytes& contents,
                     const std::string& temporaryName) {
    return writeFileSafelyReporting(path, contents, temporaryName) == WriteFailure::None;
}

bool writeFileSafely(const std::string& path, const std::string& contents,
                     const std::string& temporaryName) {
    return writeFileSafely(path, Bytes(contents.begin(), contents.end()), temporaryName);
}

bool copyFile(const std::string& from, const std::string& to) {
    Bytes contents;
    return readFile(from, contents) && writeFileSafely(to, contents);
}
