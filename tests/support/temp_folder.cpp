#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

TempFolder::TempFolder() {
    char pattern[] = "/tmp/zdtest-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder = std::string(pattern) + "/";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void TempFolder::write(const std::string& name, const std::string& contents) const {
    const std::filesystem::path target = folder + name;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out << contents;
}

void TempFolder::write(const std::string& name, const Bytes& contents) const {
    write(name, std::string(contents.begin(), contents.end()));
}

std::string TempFolder::read(const std::string& name) const {
    std::string contents;
    readTextFile(folder + name, contents);
    return contents;
}
