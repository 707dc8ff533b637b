#include "level_page.h"

#include <cctype>
#include <set>

#include "base/encoding.h"
#include "config/language.h"
#include "config/paths.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "level_map.h"
#include "platform/files.h"
#include "play_script.h"

namespace {

std::string escaped(const std::string& utf8) {
    std::string out;
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

// A game text (Windows-1252) as page text.
std::string shown(const std::string& text) { return escaped(windows1252ToUtf8(text)); }

// A relative path as an address: every byte but letters, digits, "/", "-",
// "_" and "." written as %XX.
std::string addressOf(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '/' || c == '-' || c == '_' || c == '.') {
            out += c;
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 15];
        }
    }
    return out;
}

// The name players know a pack by: its folder's name without "lvlpck".
std::string packName(const std::string& folder) { return folder.substr(std::string(PackPrefix).size()); }

// Lines of a page text (such as strings 131 to 134, which the game shows
// line by line) joined into one paragraph.
std::string paragraph(int first, int last) {
    std::string text;
    for (int n = first; n <= last; ++n) {
        if (str(n).empty()) continue;
        if (!text.empty()) text += ' ';
        text += str(n);
    }
    return shown(text);
}

const char* const Style =
    "body{font-family:sans-serif;background:#1c2230;color:#e6e6e6;margin:0 auto;max-width:70em;"
    "padding:1em 1.5em;line-height:1.4}"
    "a{color:#9fc8ff}h1{color:#ffd75e}h2{color:#ffd75e;border-bottom:1px solid #3a4458;padding-bottom:.2em}"
    "code{background:#2b3345;padding:.1em .3em;border-radius:3px}"
    ".levels{display:grid;grid-template-columns:repeat(auto-fill,minmax(13em,1fr));gap:1em}"
    "figure{margin:0;background:#262e3f;border-radius:6px;padding:.6em}"
    "figure img{display:block;margin:0 auto .5em;max-width:100%;height:auto}"
    "figcaption{font-size:.9em}figcaption b{color:#fff}";

void appendLevel(std::string& html, const PageLevel& entry) {
    html += "<figure>";
    if (!entry.map.empty())
        html += "<img src=\"" + addressOf(entry.map) + "\" width=\"" + std::to_string(entry.mapWidth) +
                "\" height=\"" + std::to_string(entry.mapHeight) + "\" alt=\"\">";
    html += "<figcaption><b>" + shown(str(173)) + std::to_string(entry.number);
    if (!entry.readable) {
        html += "</b><br>" +
                (entry.missing ? shown(str(81)) + " " + zeroPad(entry.number, 3) + ".zdl"
                               : shown(str(82)) + " " + shown(str(83))) +
                "</figcaption></figure>\n";
        return;
    }
    if (!entry.title.empty()) html += ": " + shown(entry.title);
    html += "</b>";
    // The game shows the text as four short lines. The first is mostly the
    // title, in the text's language, so it stands alone and only where it
    // differs from the title above; the others read as one paragraph.
    if (!entry.text[0].empty() && entry.text[0] != entry.title) html += "<br>" + shown(entry.text[0]);
    std::string text;
    for (int line = 1; line < 4; ++line)
        if (!entry.text[line].empty()) text += (text.empty() ? "" : " ") + entry.text[line];
    if (!text.empty()) html += "<br>" + shown(text);
    html += "</figcaption></figure>\n";
}

// The packs of the game folder loaded now, in the game's order, each with
// its level files (1 .. the count the game finds; none for an empty folder).
std::vector<PagePack> packsOfGameFolder() {
    std::vector<PagePack> found;
    readPackFolders();
    for (int p = 1; p <= packs.levelPacks.count(); ++p) {
        PagePack pack;
        pack.folder = packs.levelPacks[p];
        packs.currentPack = p;
        countLevels();
        const bool any = !listFolder(packFolder(), "???.zdl", EntryKind::Files).empty();
        for (int n = 1; any && n <= packs.levelCount; ++n) {
            PageLevel entry;
            entry.number = n;
            pack.levels.push_back(entry);
        }
        found.push_back(pack);
    }
    return found;
}

// Reads level `number` of pack `p` into the level model (with its companion
// text in the language loaded now); false when it is no level file.
bool loadPackLevel(int p, int number, LevelFileData& data) {
    packs.currentPack = p;
    const std::string file = levelFileName(number);
    Bytes bytes;
    if (!readFile(file, bytes) || !decodeLevelFile(bytes, data)) return false;
    loadLevelData(data, file);
    return true;
}

// Draws and writes every readable level's map; removes maps of levels that
// are gone.
bool writeMaps(std::vector<PagePack>& found, int mapSize, std::string& error) {
    const std::string mapsFolder = paths.programFolder + LevelMapsFolder + "/";
    std::set<std::string> kept;
    for (std::size_t p = 0; p < found.size(); ++p) {
        for (PageLevel& entry : found[p].levels) {
            LevelFileData data;
            entry.readable = loadPackLevel(static_cast<int>(p) + 1, entry.number, data);
            if (!entry.readable) {
                entry.missing = !fileExists(levelFileName(entry.number));
                continue;
            }
            entry.title = data.levelName;
            MapPicture picture;
            Bytes png;
            if (!drawLevelMap(mapSize, picture, error) || !encodeMapPng(picture, png, error)) {
                error = found[p].folder + "/" + zeroPad(entry.number, 3) + ".zdl: " + error;
                return false;
            }
            const std::string folder = std::string(LevelMapsFolder) + "/" + found[p].folder + "/";
            entry.map = folder + zeroPad(entry.number, 3) + ".png";
            entry.mapWidth = picture.width;
            entry.mapHeight = picture.height;
            makeFolder(paths.programFolder + LevelMapsFolder);
            makeFolder(paths.programFolder + folder);
            if (!writeFileSafely(paths.programFolder + entry.map, png)) {
                error = paths.programFolder + entry.map + ": cannot be written";
                return false;
            }
            kept.insert(entry.map);
        }
    }
    for (const std::string& folder : listFolder(mapsFolder, "*", EntryKind::Folders)) {
        for (const std::string& file : listFolder(mapsFolder + folder + "/", "*.png", EntryKind::Files))
            if (kept.count(std::string(LevelMapsFolder) + "/" + folder + "/" + file) == 0)
                deleteFile(mapsFolder + folder + "/" + file);
        removeFolder(mapsFolder + folder);  // only when nothing is left in it
    }
    return true;
}

}  // namespace

std::string levelPageHtml(const std::vector<PagePack>& found) {
    const std::string title = shown(str(1)) + ": " + shown(str(108));
    std::string html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
                       "</title>\n<style>" + Style + "</style>\n</head>\n<body>\n<h1>" + title + "</h1>\n";
    // How packs are added, and the folder they go to: the one this page lies
    // in, wherever the game was installed.
    html += "<p>" + paragraph(131, 134) + "</p>\n<p><code id=\"folder\"></code></p>\n";
    html += "<script>document.getElementById('folder').textContent="
            "decodeURIComponent(location.pathname.replace(/[^/]*$/,''));</script>\n";
    if (found.size() > 1) {
        html += "<ul>\n";
        for (const PagePack& pack : found)
            html += "<li><a href=\"#" + addressOf(pack.folder) + "\">" + escaped(packName(pack.folder)) + "</a> (" +
                    std::to_string(pack.levels.size()) + ")</li>\n";
        html += "</ul>\n";
    }
    for (const PagePack& pack : found) {
        html += "<h2 id=\"" + escaped(pack.folder) + "\">" + escaped(packName(pack.folder)) + " (" +
                std::to_string(pack.levels.size()) + ")</h2>\n<div class=\"levels\">\n";
        for (const PageLevel& entry : pack.levels) appendLevel(html, entry);
        html += "</div>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}

bool writeLevelPages(const std::string& gameFolder, int mapSize, std::vector<std::string>& written,
                     std::string& error) {
    loadGameFolder(gameFolder);
    std::vector<PagePack> found = packsOfGameFolder();
    if (!writeMaps(found, mapSize, error)) return false;

    std::set<std::string> pages;
    for (int i = 1; i <= language.languageFiles.count(); ++i) {
        const std::string& file = language.languageFiles[i];
        loadLanguage(file);
        const std::string& link = str(130);
        if (isAddress(link)) continue;
        if (!isPageName(link)) {
            error = file + ": line 130 is neither an address nor a page name (letters, digits, \"-\", \"_\", "
                           "ending in .html): \"" + link + "\"";
            return false;
        }
        if (!pages.insert(link).second) {
            error = file + ": another language file already names the page " + link;
            return false;
        }
        // The companion texts in this language.
        for (std::size_t p = 0; p < found.size(); ++p) {
            for (PageLevel& entry : found[p].levels) {
                LevelFileData data;
                if (!entry.readable || !loadPackLevel(static_cast<int>(p) + 1, entry.number, data)) continue;
                for (int line = 0; line < 4; ++line) entry.text[line] = level.levelText[line + 1];
            }
        }
        if (!writeFileSafely(paths.programFolder + link, levelPageHtml(found))) {
            error = paths.programFolder + link + ": cannot be written";
            return false;
        }
        written.push_back(link);
    }
    return true;
}
