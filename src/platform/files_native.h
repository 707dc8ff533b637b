// The operating system's side of files.cpp, private to the platform layer:
// the few calls that differ between POSIX (files_posix.cpp) and Windows
// (files_windows.cpp). Paths are UTF-8 with "/" on both.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/entry_kind.h"

// Every name in `folder` ("" is the working folder) that is a file or a
// folder as `kind` asks, "." and ".." never, in the system's order.
std::vector<std::string> folderEntries(const std::string& folder, EntryKind kind);

// True when `path` exists and is a plain file or a folder as `kind` asks.
bool pathIsKind(const std::string& path, EntryKind kind);

// std::fopen with a UTF-8 path.
std::FILE* openFile(const std::string& path, const char* mode);

// The folder part of a "/" path, ending in "/"; "./" when there is none.
std::string folderOfPath(const std::string& path);
