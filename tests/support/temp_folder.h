// Test support: a fresh folder under /tmp that disappears with the test, and
// small helpers to put files into it.
#pragma once

#include <string>

#include "platform/files.h"

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending in "/".
    const std::string& path() const { return folder; }

    // Writes `contents` to path() + name, creating sub-folders in the name.
    void write(const std::string& name, const std::string& contents) const;
    void write(const std::string& name, const Bytes& contents) const;
    std::string read(const std::string& name) const;

private:
    std::string folder;
};
