#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

std::string folderOfPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lower(x) < lower(y); });
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool isKind(const std::string& path, EntryKind kind) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return kind == EntryKind::Folders ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
}

}  // namespace

std::string executableFolder(const char* argv0) {
    char resolved[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", resolved, sizeof resolved - 1);
    if (length > 0) {
        resolved[length] = '\0';
        return folderOfPath(resolved);
    }
    if (argv0 != nullptr && ::realpath(argv0, resolved) != nullptr) return folderOfPath(resolved);
    return "./";
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
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return names;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!wildcardMatch(pattern, name)) continue;
        if (isKind(prefix + name, kind)) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

bool fileExists(const std::string& path) { return isKind(path, EntryKind::Files); }
bool folderExists(const std::string& path) { return isKind(path, EntryKind::Folders); }

bool readFile(const std::string& path, Bytes& contents) {
    contents.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
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

WriteFailure writeFileSafelyReporting(const std::string& path, const Bytes& contents,
                                      const std::string& temporaryName) {
    const std::string temporary =
        temporaryName.empty() ? path + ".tmp" : folderOfPath(path) + temporaryName;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return WriteFailure::Create;
    bool ok = writeAll(fd, contents.data(), contents.size());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    WriteFailure failure = ok ? WriteFailure::None : WriteFailure::InputOutput;
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) failure = WriteFailure::Replace;
    if (failure != WriteFailure::None) ::unlink(temporary.c_str());
    return failure;
}

bool writeFileSafely(const std::string& path, const Bytes& contents,
                     const std::string& temporaryName) {
    return writeFileSafelyReporting(path, contents, temporaryName) == WriteFailure::None;
}

bool writeFileSafely(const std::string& path, const std::string& contents,
                     const std::string& temporaryName) {
    return writeFileSafely(path, Bytes(contents.begin(), contents.end()), temporaryName);
}

bool deleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool copyFile(const std::string& from, const std::string& to) {
    Bytes contents;
    return readFile(from, contents) && writeFileSafely(to, contents);
}

bool renameFile(const std::string& from, const std::string& to) {
    // Like the game's home platform, a rename never replaces an existing file.
    if (fileExists(to) || folderExists(to)) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool makeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0755) == 0; }
bool removeFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }
