// The page of the level packs that the game opens from its information
// pages: for every language file of a game folder whose link (string 130)
// names a page rather than an address, an HTML page of that name beside the
// program, in that language's words. It lists every pack the folder holds
// with its levels (number, title, the level's own text and a map drawn as
// `zdltool map` draws it) and says how a pack is added. The maps are PNG
// pictures in levelmaps/<pack folder>/NNN.png, shared by the pages; maps of
// levels that are gone are removed. The page needs nothing but its folder,
// so it works offline.
#pragma once

#include <string>
#include <vector>

// The folder of the maps, beside the pages.
constexpr const char* LevelMapsFolder = "levelmaps";

// The longer side of a map on the page, in pixels: small, so that the pages
// of a few packs are made in a moment.
constexpr int PageMapSize = 160;

struct PageLevel {
    int number = 0;
    bool readable = false;      // the file is a level file
    bool missing = false;       // there is no such file
    std::string title;          // as stored (Windows-1252)
    std::string text[4];        // its companion text in the page's language
    std::string map;            // the map, relative to the page; "" without one
    int mapWidth = 0;
    int mapHeight = 0;
};

struct PagePack {
    std::string folder;             // "lvlpckzindrop"
    std::vector<PageLevel> levels;  // 1 .. the pack's level count
};

// The page, in UTF-8, in the words of the language loaded now.
std::string levelPageHtml(const std::vector<PagePack>& packs);

// Draws the maps and writes every language's page into the game folder
// (which must hold the texture packs); `written` gets the pages' names.
// Needs a headless platform installed. False with a message when a language
// file's link is neither an address nor a page name, or a file cannot be
// written.
bool writeLevelPages(const std::string& gameFolder, int mapSize, std::vector<std::string>& written,
                     std::string& error);
