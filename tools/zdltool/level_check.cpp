#include "level_check.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <cstdio>
#include <set>

#include "config/language.h"
#include "config/paths.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "level_text.h"
#include "platform/files.h"
#include "text_syntax.h"

namespace {
std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

const char* kindName(std::int32_t kind) {
    static const char* const names[] = {
        "unknown",     "east arrow",   "north arrow",  "south arrow",  "west arrow", "jump arrow",
        "background",  "ball",         "blll",         "ball shadow",  "bomb",       "crack",
        "exit",        "explosion",    "flag",         "font",         "ground",     "platform",
        "east marker", "north marker", "south marker", "west marker",  "trap",       "wall"};
    return kind >= 0 && kind <= KindWall ? names[kind] : names[0];
}

// Whether a set of this kind belongs in list n (what the editor puts there).
bool kindFitsList(std::int32_t kind, int list) {
    switch (list) {
        case ListGround: return kind == KindGround;
        case ListExitsAndTraps: return kind == KindExit || kind == KindTrap;
        case ListArrows: return kind >= KindArrowEast && kind <= KindArrowJump;
        case ListPlatformMarkers: return kind >= KindMarkerEast && kind <= KindMarkerWest;
        case ListPlatforms: return kind == KindPlatform;
        case ListBombsAndFlags: return kind == KindBomb || kind == KindFlag;
        case ListWalls: return kind == KindWall;
        case ListCracks: return kind == KindCrack;
        case ListExplosions: return kind == KindExplosion;
        default: return false;
    }
}

// The set a stored name pair resolves to (the first match, as the loader
// finds it), or nullptr.
const TextureSet* findSet(const GameContent& content, const LevelFileObject& object) {
    for (const TextureSet& set : content.textureSets)
        if (set.packName == object.packName && set.name == object.name) return &set;
    return nullptr;
}

std::string position(const LevelFileObject& object) {
    char text[80];
    std::snprintf(text, sizeof text, "(%g, %g)", object.x, object.y);
    return text;
}

std::string textureLabel(const LevelFileObject& object) {
    return "\"" + object.name + "\" of pack \"" + object.packName + "\"";
}

// Closed rectangles sharing at least a boundary point.
bool overlaps(double ax0, double ay0, double ax1, double ay1, double bx0, double by0, double bx1, double by1) {
    return ax0 <= bx1 && bx0 <= ax1 && ay0 <= by1 && by0 <= ay1;
}

// The ball's centre box rests on a ground tile or platform, as the play
// support test decides it.
bool ballSupported(const LevelFileData& data) {
    const LevelFileObject& ball = data.ball;
    for (int list : {ListPlatforms, ListGround})
        for (const LevelFileObject& tile : data.lists[list])
            if (overlaps(ball.x + 63, ball.y + 63, ball.x + 65, ball.y + 65, tile.x, tile.y, tile.x + 128, tile.y + 128))
                return true;
    return false;
}

bool objectAt(const std::vector<LevelFileObject>& list, double x, double y) {
    return std::any_of(list.begin(), list.end(), [&](const LevelFileObject& o) { return o.x == x && o.y == y; });
}

class LevelChecker {
public:
    LevelChecker(const LevelFileData& levelData, const GameContent& game, const std::string& place,
                 std::vector<Finding>& out)
        : data(levelData), content(game), where(place), findings(out) {}

    void run() {
        textures();
        ball();
        objectsAndLists();
        music();
    }

private:
    void report(Severity severity, const std::string& message) { findings.push_back({severity, where, message}); }

    void textures() {
        std::map<std::pair<std::string, std::string>, int> missing;
        auto note = [&](const LevelFileObject& object) {
            if (!findSet(content, object)) ++missing[{object.packName, object.name}];
        };
        note(data.background);
        note(data.ball);
        note(data.ballShadow);
        for (int list = 1; list <= LevelListCount; ++list)
            for (const LevelFileObject& object : data.lists[list]) note(object);
        for (const auto& [names, count] : missing) {
            LevelFileObject shown;
            shown.packName = names.first;
            shown.name = names.second;
            report(Severity::Error, "missing texture " + textureLabel(shown) + " (used " + std::to_string(count) +
                                        (count == 1 ? " time)" : " times)"));
        }
        recordKind(data.background, KindBackground, "background");
        recordKind(data.ballShadow, KindBallShadow, "ball shadow");
    }

    void recordKind(const LevelFileObject& record, std::int32_t kind, const char* what) {
        const TextureSet* set = findSet(content, record);
        if (set && set->kind != kind)
            report(Severity::Warning, std::string("the ") + what + " shows " + textureLabel(record) + ", a " +
                                          kindName(set->kind) + " picture");
    }

    void ball() {
        const TextureSet* set = findSet(content, data.ball);
        if (data.ball.packName.empty() && data.ball.name.empty())
            report(Severity::Error, "no ball: the ball has no texture");
        else if (set && set->kind != KindBall)
            report(Severity::Error, "no ball: the ball shows " + textureLabel(data.ball) + ", a " +
                                        kindName(set->kind) + " picture");
        if (!ballSupported(data))
            report(Severity::Error, "the ball starts at " + position(data.ball) +
                                        ", not on ground or a platform: it falls at once");
    }

    void objectsAndLists() {
        int exits = 0;
        int flags = 0;
        for (int list = 1; list <= LevelListCount; ++list) {
            int misplaced = 0;
            std::string example;
            for (const LevelFileObject& object : data.lists[list]) {
                const TextureSet* set = findSet(content, object);
                if (!set) continue;  // reported as a missing texture
                if (list == ListExitsAndTraps && set->kind == KindExit) ++exits;
                if (list == ListBombsAndFlags && set->kind == KindFlag) ++flags;
                if (!kindFitsList(set->kind, list)) {
                    if (misplaced++ == 0)
                        example = std::string("a ") + kindName(set->kind) + " picture (" + textureLabel(object) +
                                  ") at " + position(object);
                    continue;
                }
                const int direction = directionOfKind(set->kind);
                if (direction != 0 && object.vx != direction)
                    report(Severity::Warning, std::string("the ") + kindName(set->kind) + " at " + position(object) +
                                                  " has direction " + numberWord(object.vx) + " instead of " +
                                                  std::to_string(direction));
            }
            if (misplaced > 0)
                report(Severity::Warning, std::to_string(misplaced) + " object(s) do not belong in " +
                                              levelListName(list) + ", such as " + example);
        }
        for (const LevelFileObject& crack : data.lists[ListCracks])
            if (!objectAt(data.lists[ListWalls], crack.x, crack.y) && !objectAt(data.lists[ListGround], crack.x, crack.y))
                report(Severity::Warning, "the crack at " + position(crack) + " lies on neither a wall nor ground");
        if (exits == 0) report(Severity::Error, "no exit: the level can only be left with Esc");
        if (flags == 0) report(Severity::Warning, "no flags: the exit is open from the start");
    }

    void music() {
        if (data.musicName.empty()) {
            report(Severity::Warning, "no music: the track of the level before keeps playing");
            return;
        }
        const std::string wanted = lowerCase(data.musicName);
        for (const std::string& entry : content.music)
            if (lowerCase(entry) == wanted) return;
        report(Severity::Error, "unknown music \"" + data.musicName + "\" (the music list holds " +
                                    std::to_string(content.music.size()) + " tracks, named \"audio/NAME.ogg\")");
    }

    const LevelFileData& data;
    const GameContent& content;
    const std::string& where;
    std::vector<Finding>& findings;
};

// The decimal number at the start of a level file name; 0 when there is none
// (the game counts only names that read as a number above 0).
int levelNumberOf(const std::string& fileName) {
    int number = 0;
    for (std::size_t i = 0; i < fileName.size() && std::isdigit(static_cast<unsigned char>(fileName[i])); ++i)
        number = number * 10 + (fileName[i] - '0');
    return number;
}

void checkPack(const std::string& gameFolder, const std::string& pack, const GameContent& content,
               std::vector<Finding>& findings, int& levelsChecked) {
    const std::string packFolder = gameFolder + pack + "/";
    std::set<int> numbers;
    // Levels whose second solution (NNN.alt.solution, the other way to the
    // exit) is missing: worth a warning only in a pack whose levels offer
    // such a second way, which the presence of any one shows.
    std::vector<std::string> withoutOtherWay;
    for (const std::string& fileName : listFolder(packFolder, "???.zdl", EntryKind::Files)) {
        const std::string where = pack + "/" + fileName;
        const int number = levelNumberOf(fileName);
        if (number <= 0) {
            findings.push_back({Severity::Warning, where, "not a level number: the game never loads it"});
            continue;
        }
        numbers.insert(number);
        ++levelsChecked;
        Bytes bytes;
        LevelFileData data;
        if (!readFile(packFolder + fileName, bytes) || !decodeLevelFile(bytes, data)) {
            findings.push_back({Severity::Error, where, "cannot be read as a level file"});
            continue;
        }
        LevelChecker(data, content, where, findings).run();
        for (const std::string& extension : content.textExtensions)
            if (!fileExists(packFolder + fileName.substr(0, fileName.size() - 3) + extension))
                findings.push_back({Severity::Warning, where,
                                    "no companion text " + fileName.substr(0, fileName.size() - 3) + extension});
        // A solution (an input script for zdltool play) lies beside every
        // shipped level, so that the tests can prove the level finishable.
        const std::string solution = fileName.substr(0, fileName.size() - 3) + "solution";
        if (!fileExists(packFolder + solution))
            findings.push_back({Severity::Warning, where, "no solution " + solution + " (an input script that finishes the level)"});
        if (!fileExists(packFolder + fileName.substr(0, fileName.size() - 3) + "alt.solution"))
            withoutOtherWay.push_back(fileName);
    }
    const std::vector<std::string> otherWays = listFolder(packFolder, "*.alt.solution", EntryKind::Files);
    if (!otherWays.empty())
        for (const std::string& fileName : withoutOtherWay) {
            const std::string base = fileName.substr(0, fileName.size() - 3);
            findings.push_back({Severity::Warning, pack + "/" + fileName,
                                "no second solution " + base +
                                    "alt.solution (the other way to the exit, which the pack's other levels have)"});
        }
    for (const std::string& fileName : otherWays) {
        const std::string level = fileName.substr(0, fileName.size() - std::string("alt.solution").size()) + "zdl";
        if (!fileExists(packFolder + level))
            findings.push_back({Severity::Warning, pack + "/" + fileName,
                                "a second solution for " + level + ", which the pack does not have"});
    }
    if (numbers.empty()) {
        findings.push_back({Severity::Error, pack, "the pack has no levels (files 001.zdl, 002.zdl, ...)"});
        return;
    }
    // The game counts the level files and plays 1 to that count, so a gap
    // makes a level fail to load and the last ones unreachable.
    for (int number = 1; number < *numbers.rbegin(); ++number)
        if (!numbers.count(number))
            findings.push_back({Severity::Error, pack, "gap in the numbering: " + zeroPad(number, 3) +
                                                            ".zdl is missing, so the game cannot reach " +
                                                            zeroPad(*numbers.rbegin(), 3) + ".zdl"});
}
}  // namespace

GameContent scanGameFolder(const std::string& gameFolder) {
    GameContent content;
    // The texture table is the game's own: its start-up loader runs with the
    // drawing layer recording, so it finds, reads and decodes every picture
    // as the game will (and names on the error stream the ones it cannot
    // read) without touching OpenGL.
    setProgramFolder(gameFolder);
    textures = TextureState();
    catalogue = TextureCatalogue();
    const bool wasRecording = drawLayer.recording;
    drawLayer.recording = true;
    loadTextures(drawFrame);
    drawLayer.recording = wasRecording;
    drawLayer.calls.clear();
    for (const TextureEntry& entry : catalogue.textureTable)
        content.textureSets.push_back({entry.packName, entry.name, entry.kind});
    for (const std::string& fileName : listFolder(gameFolder + "audio/", "*.ogg", EntryKind::Files))
        content.music.push_back("audio/" + fileName);
    for (const std::string& fileName : listFolder(gameFolder, "*.str", EntryKind::Files)) {
        std::string text;
        if (!readTextFile(gameFolder + fileName, text)) continue;
        List<std::string> table;
        parseLanguage(text, table);
        const std::string& extension = table[84];
        if (!extension.empty() &&
            std::find(content.textExtensions.begin(), content.textExtensions.end(), extension) ==
                content.textExtensions.end())
            content.textExtensions.push_back(extension);
    }
    return content;
}

void checkLevel(const LevelFileData& data, const GameContent& content, const std::string& where,
                std::vector<Finding>& findings) {
    LevelChecker(data, content, where, findings).run();
}

std::vector<Finding> checkGameFolder(const std::string& gameFolder, const std::string& pack, int& levelsChecked) {
    std::vector<Finding> findings;
    levelsChecked = 0;
    const GameContent content = scanGameFolder(gameFolder);
    if (content.textureSets.empty())
        findings.push_back({Severity::Error, gameFolder, "no texture sets: no \"txtpck*\" folder with \"*00.png\" files"});
    std::vector<std::string> packs;
    if (pack.empty()) {
        packs = listFolder(gameFolder, "lvlpck*", EntryKind::Folders);
        if (packs.empty()) findings.push_back({Severity::Error, gameFolder, "no level packs (\"lvlpck*\" folders)"});
    } else {
        const std::string folderName = lowerCase(pack).rfind("lvlpck", 0) == 0 ? pack : "lvlpck" + pack;
        if (folderExists(gameFolder + folderName))
            packs.push_back(folderName);
        else
            findings.push_back({Severity::Error, folderName, "no such level pack in " + gameFolder});
    }
    for (const std::string& name : packs) checkPack(gameFolder, name, content, findings, levelsChecked);
    return findings;
}
