// The file system through the Windows calls. Paths stay UTF-8 with "/" in
// the game and become UTF-16 at each call; Windows takes "/" as a separator.
#ifdef _WIN32

#include <windows.h>

#include <cstdint>

#include "platform/files.h"
#include "platform/files_native.h"
#include "platform/windows_text.h"

namespace {

// The folder of a path as the game writes paths: "\" from the system
// becomes "/", and the result ends in "/".
std::string slashed(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace

bool pathIsKind(const std::string& path, EntryKind kind) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return kind == EntryKind::Folders ? folder : !folder && (attributes & FILE_ATTRIBUTE_DEVICE) == 0;
}

std::vector<std::string> folderEntries(const std::string& folder, EntryKind kind) {
    std::vector<std::string> names;
    const std::string prefix = folder.empty() ? "./" : folder.back() == '/' ? folder : folder + "/";
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(widen(prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = narrow(found.cFileName);
        if (name == "." || name == "..") continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder == (kind == EntryKind::Folders)) names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return _wfopen(widen(path).c_str(), widen(mode).c_str());
}

std::string executableFolder(const char* argv0) {
    // The module's own path, grown until it fits (paths may pass MAX_PATH).
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) break;
        if (length < buffer.size()) {
            buffer.resize(length);
            return folderOfPath(slashed(narrow(buffer)));
        }
        buffer.resize(buffer.size() * 2);
    }
    return argv0 != nullptr ? folderOfPath(slashed(argv0)) : "./";
}

WriteFailure writeFileSafelyReporting(const std::string& path, const Bytes& contents,
                                      const std::string& temporaryName, FlushToDisk flush) {
    const std::wstring temporary =
        widen(temporaryName.empty() ? path + ".tmp" : folderOfPath(path) + temporaryName);
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return WriteFailure::Create;
    bool ok = true;
    const std::uint8_t* data = contents.data();
    std::size_t left = contents.size();
    while (ok && left > 0) {
        const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        ok = WriteFile(file, data, chunk, &written, nullptr) != 0 && written > 0;
        data += written;
        left -= written;
    }
    if (flush == FlushToDisk::Yes) ok = FlushFileBuffers(file) != 0 && ok;
    ok = CloseHandle(file) != 0 && ok;
    WriteFailure failure = ok ? WriteFailure::None : WriteFailure::InputOutput;
    // A plain rename onto an existing file fails on Windows; this replaces
    // the target in one step and, when flushing, returns once the move is on
    // the disk.
    const DWORD moveFlags = MOVEFILE_REPLACE_EXISTING | (flush == FlushToDisk::Yes ? MOVEFILE_WRITE_THROUGH : 0);
    if (ok && !MoveFileExW(temporary.c_str(), widen(path).c_str(), moveFlags))
        failure = WriteFailure::Replace;
    if (failure != WriteFailure::None) DeleteFileW(temporary.c_str());
    return failure;
}

bool deleteFile(const std::string& path) { return DeleteFileW(widen(path).c_str()) != 0; }

bool renameFile(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists, in
    // the same call; a change of case alone ("a" to "A") is allowed.
    return MoveFileExW(widen(from).c_str(), widen(to).c_str(), 0) != 0;
}

bool makeFolder(const std::string& path) { return CreateDirectoryW(widen(path).c_str(), nullptr) != 0; }
bool removeFolder(const std::string& path) { return RemoveDirectoryW(widen(path).c_str()) != 0; }

#endif
