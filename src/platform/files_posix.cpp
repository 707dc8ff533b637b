// The file system through POSIX calls (Linux). Windows has files_windows.cpp.
#ifndef _WIN32

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/files.h"
#include "platform/files_native.h"

namespace {

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

}  // namespace

bool pathIsKind(const std::string& path, EntryKind kind) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return kind == EntryKind::Folders ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
}

std::vector<std::string> folderEntries(const std::string& folder, EntryKind kind) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return names;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (pathIsKind(prefix + name, kind)) names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

std::FILE* openFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

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

WriteFailure writeFileSafelyReporting(const std::string& path, const Bytes& contents,
                                      const std::string& temporaryName, FlushToDisk flush) {
    const std::string temporary =
        temporaryName.empty() ? path + ".tmp" : folderOfPath(path) + temporaryName;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return WriteFailure::Create;
    bool ok = writeAll(fd, contents.data(), contents.size());
    if (flush == FlushToDisk::Yes) ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    WriteFailure failure = ok ? WriteFailure::None : WriteFailure::InputOutput;
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) failure = WriteFailure::Replace;
    if (failure != WriteFailure::None) ::unlink(temporary.c_str());
    return failure;
}

bool deleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool renameFile(const std::string& from, const std::string& to) {
    // POSIX rename replaces its target; the game's rename never does.
    if (pathIsKind(to, EntryKind::Files) || pathIsKind(to, EntryKind::Folders)) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool makeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0755) == 0; }
bool removeFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

#endif
