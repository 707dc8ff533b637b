// The file system as the game sees it: the program's own folder, folder
// listings with a wildcard, whole-file reads and safe whole-file writes, and
// the copy, rename and delete operations of the level-pack code. Paths use "/".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/entry_kind.h"

using Bytes = std::vector<std::uint8_t>;

// The real folder of the running executable, ending in "/": found through the
// operating system, so it is right when the program was started through PATH,
// a relative path or a symbolic link. Falls back to argv0's folder.
std::string executableFolder(const char* argv0);

// Names (no folder) in `folder` matching `pattern` ("*" any run, "?" one
// character, compared case-insensitively as on the game's home platform),
// files or folders only, "." and ".." never. Sorted case-insensitively so
// that "first" and "last" do not depend on the file system.
std::vector<std::string> listFolder(const std::string& folder, const std::string& pattern,
                                    EntryKind kind);

bool wildcardMatch(const std::string& pattern, const std::string& name);

bool fileExists(const std::string& path);
bool folderExists(const std::string& path);

// Reads a whole file; false when it cannot be opened or read.
bool readFile(const std::string& path, Bytes& contents);
bool readTextFile(const std::string& path, std::string& contents);

// Writes a whole file so that it is never half written: the bytes go to a
// temporary file in the same folder, which is flushed to disk and then renamed
// over `path`. On any failure the old file is left as it was and false comes
// back. `temporaryName` names the scratch file (default: path + ".tmp").
bool writeFileSafely(const std::string& path, const Bytes& contents,
                     const std::string& temporaryName = "");
bool writeFileSafely(const std::string& path, const std::string& contents,
                     const std::string& temporaryName = "");

// Why a safe write failed: the scratch file could not be created, writing or
// flushing its bytes failed (an input/output error), or it could not take the
// target's name. The old file is untouched in every case.
enum class WriteFailure { None, Create, InputOutput, Replace };

// Whether a safe write waits for its bytes to reach the disk. Skipping it
// suits a batch of writes that is made durable once at its end (in the web
// page, where every flush saves the whole browser storage).
enum class FlushToDisk { Yes, No };

WriteFailure writeFileSafelyReporting(const std::string& path, const Bytes& contents,
                                      const std::string& temporaryName = "",
                                      FlushToDisk flush = FlushToDisk::Yes);

bool deleteFile(const std::string& path);
bool copyFile(const std::string& from, const std::string& to);
bool renameFile(const std::string& from, const std::string& to);
bool makeFolder(const std::string& path);
bool removeFolder(const std::string& path);  // an empty folder only
