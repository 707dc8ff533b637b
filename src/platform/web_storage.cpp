#include "platform/web_storage.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>

#include "platform/files.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {

// 64-bit FNV-1a: enough to tell versions of one file apart.
std::uint64_t hashOf(const Bytes& bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (std::uint8_t b : bytes) {
        hash ^= b;
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::string hexOf(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// Every file below `folder`, as paths relative to it.
void listTree(const std::string& folder, const std::string& relative, std::vector<std::string>& out) {
    for (const std::string& name : listFolder(folder + relative, "*", EntryKind::Files))
        out.push_back(relative + name);
    for (const std::string& name : listFolder(folder + relative, "*", EntryKind::Folders))
        listTree(folder, relative + name + "/", out);
}

std::map<std::string, std::string> readRecord(const std::string& path) {
    std::map<std::string, std::string> record;
    std::string text;
    if (!readTextFile(path, text)) return record;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto space = line.find(' ');
        if (space == std::string::npos || space + 1 >= line.size()) continue;
        record[line.substr(space + 1)] = line.substr(0, space);
    }
    return record;
}

// The merge's writes skip the flush to disk: in the web page a flush saves
// the whole storage, once per file, where the merge wants one save at its
// end (which stores the merged files together or not at all).
bool writeWithoutFlush(const std::string& path, const Bytes& contents) {
    return writeFileSafelyReporting(path, contents, "", FlushToDisk::No) == WriteFailure::None;
}

// Makes every folder of `relative`'s path below `root`.
void makeFoldersFor(const std::string& root, const std::string& relative) {
    for (auto slash = relative.find('/'); slash != std::string::npos;
         slash = relative.find('/', slash + 1)) {
        const std::string folder = root + relative.substr(0, slash);
        if (!folderExists(folder)) makeFolder(folder);
    }
}

}  // namespace

int mergeShippedFiles(const std::string& shippedFolder, const std::string& gameFolder, bool& ok) {
    ok = true;
    const std::map<std::string, std::string> before = readRecord(gameFolder + ShippedRecordName);
    std::vector<std::string> shipped;
    listTree(shippedFolder, "", shipped);
    std::string record;
    int copied = 0;
    for (const std::string& relative : shipped) {
        Bytes contents;
        if (!readFile(shippedFolder + relative, contents)) {
            ok = false;
            continue;
        }
        const std::string hash = hexOf(hashOf(contents));
        record += hash + " " + relative + "\n";
        const auto previous = before.find(relative);
        const std::string target = gameFolder + relative;
        bool copy;
        if (!fileExists(target)) {
            copy = previous == before.end();  // new in this version, not deleted by the player
        } else {
            Bytes current;
            copy = previous != before.end() && previous->second != hash && readFile(target, current) &&
                   hexOf(hashOf(current)) == previous->second;
        }
        if (!copy) continue;
        makeFoldersFor(gameFolder, relative);
        if (writeWithoutFlush(target, contents))
            ++copied;
        else
            ok = false;
    }
    if (!writeWithoutFlush(gameFolder + ShippedRecordName, Bytes(record.begin(), record.end()))) ok = false;
    return copied;
}

void removeFolderTree(const std::string& folder) {
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    for (const std::string& name : listFolder(prefix, "*", EntryKind::Files)) deleteFile(prefix + name);
    for (const std::string& name : listFolder(prefix, "*", EntryKind::Folders))
        removeFolderTree(prefix + name);
    removeFolder(prefix);
}

#ifdef __EMSCRIPTEN__
namespace {

const std::string GameFolder = "/zindrop7/";
const std::string ShippedFolder = "/zindrop7-shipped/";

// The storage calls are asynchronous; web/storage.js keeps their state in
// Module.zindropStorage.
EM_JS(void, startLoadingStorage, (const char* folder), {
    Module.zindropStorage.open(UTF8ToString(folder));
});
EM_JS(int, storageLoaded, (), { return Module.zindropStorage.loaded ? 1 : 0; });
EM_JS(void, saveEveryChange, (), { Module.zindropStorage.watch(); });

}  // namespace

std::string openBrowserGameFolder() {
    startLoadingStorage(GameFolder.c_str());
    while (storageLoaded() == 0) emscripten_sleep(10);
    bool ok = false;
    mergeShippedFiles(ShippedFolder, GameFolder, ok);
    if (!ok) std::fprintf(stderr, "zindrop7: some shipped files could not be stored\n");
    removeFolderTree(ShippedFolder);
    saveEveryChange();
    return GameFolder;
}
#endif
