#include "config/language.h"

#include "config/paths.h"
#include "config/settings.h"
#include "platform/files.h"

LanguageState language;

const std::string& str(int n) {
    static const std::string none;
    return language.strings.valid(n) ? language.strings[n] : none;
}

void listLanguageFiles() {
    language.languageFiles.clear();
    for (const std::string& name : listFolder(paths.programFolder, "*.str", EntryKind::Files))
        language.languageFiles.append(name);
}

namespace {
std::string stripQuotes(std::string line) {
    if (!line.empty() && line.front() == '"') line.erase(0, 1);
    if (!line.empty() && line.back() == '"') line.pop_back();
    return line;
}
}  // namespace

void parseLanguage(const std::string& contents, List<std::string>& table) {
    table.clear();
    std::size_t start = 0;
    for (int k = 1; k <= StringCount; ++k) {
        std::string line;
        if (start < contents.size()) {
            std::size_t end = contents.find('\n', start);
            if (end == std::string::npos) end = contents.size();
            line = contents.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            start = end + 1;
        }
        table.append(stripQuotes(line));
    }
}

bool loadLanguage(const std::string& fileName) {
    std::string contents;
    const bool read = readTextFile(paths.programFolder + fileName, contents);
    parseLanguage(read ? contents : std::string(), language.strings);
    return read;
}

void chooseStartLanguage() {
    for (const std::string& name : language.languageFiles)
        if (name == settings.languageFile) return;
    settings.languageFile = language.languageFiles[1];
}
