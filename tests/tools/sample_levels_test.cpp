#include <gtest/gtest.h>

#include <set>

#include "assets/texture_catalogue.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level_check.h"
#include "level_text.h"
#include "platform/files.h"
#include "support/headless_game.h"

namespace {

const std::string LevelsFolder = ZD_SOURCE_DIR "/levels/";
const std::string PackFolder = "lvlpckzindrop/";
const std::string JourneyFolder = "lvlpckjourney/";

// The picture sets both texture packs provide: kind code and free name.
const char* const packSets[][2] = {
    {"back", "sky"},         {"back", "dusk"},        {"back", "bonusbackground"}, {"ball", "ball"},
    {"blsh", "shadow"},      {"bomb", "bomb"},        {"crck", "crackwall"},       {"crck", "crackfloor"},
    {"exit", "exit"},        {"expl", "explosion"},   {"flag", "flag"},            {"grnd", "grass"},
    {"grnd", "stone"},       {"grnd", "sand"},        {"plat", "platform"},        {"plae", "markereast"},
    {"plan", "markernorth"}, {"plas", "markersouth"}, {"plaw", "markerwest"},      {"trap", "trap"},
    {"wall", "brick"},       {"wall", "hedge"},       {"wall", "metal"},           {"arre", "arroweast"},
    {"arrn", "arrownorth"},  {"arrs", "arrowsouth"},  {"arrw", "arrowwest"},       {"arru", "jump"}};

LevelFileData buildLevel(const std::string& path) {
    std::string text;
    LevelFileData data;
    std::vector<TextProblem> problems;
    EXPECT_TRUE(readTextFile(path, text)) << path;
    EXPECT_TRUE(levelFromText(text, data, problems)) << describeProblems(path, problems);
    return data;
}

// A game folder with the texture packs' sets (as empty pictures), the music
// files and language files of the source tree, and the sample pack built
// from its text.
class SampleLevelsTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        for (const char* pack : {"txtpckclassic/", "txtpckneon/"})
            for (const auto& set : packSets) folder.write(pack + std::string(set[0]) + "cc" + set[1] + "00.png", "");
        for (const std::string& music : listFolder(ZD_SOURCE_DIR "/data/audio/", "*.ogg", EntryKind::Files)) {
            folder.write("audio/" + music, "");
            hasMusic = true;
        }
        for (const std::string& language : listFolder(ZD_SOURCE_DIR "/data/", "*.str", EntryKind::Files)) {
            std::string text;
            ASSERT_TRUE(readTextFile(ZD_SOURCE_DIR "/data/" + language, text));
            folder.write(language, text);
        }
        addPack(PackFolder, levels);
    }

    // Builds a pack of the source tree into the game folder: its level texts
    // as level files (appended to `built`), every other file as it is.
    void addPack(const std::string& pack, std::vector<LevelFileData>& built) {
        for (const std::string& file : listFolder(LevelsFolder + pack, "*", EntryKind::Files)) {
            const std::string source = LevelsFolder + pack + file;
            if (file.size() > 4 && file.substr(file.size() - 4) == ".txt") {
                const LevelFileData data = buildLevel(source);
                built.push_back(data);
                folder.write(pack + file.substr(0, file.size() - 4) + ".zdl", encodeLevelFile(data));
            } else {
                std::string text;
                ASSERT_TRUE(readTextFile(source, text));
                folder.write(pack + file, text);
            }
        }
    }

    // The kind of each object's picture, as the check resolves it.
    std::int32_t kindOf(const LevelFileObject& object) const {
        for (const TextureSet& set : content.textureSets)
            if (set.packName == object.packName && set.name == object.name) return set.kind;
        return KindNone;
    }

    // Music findings count only when the source tree has music to check
    // against; until then every name would be unknown.
    bool matters(const Finding& finding) const {
        return hasMusic || finding.message.rfind("unknown music", 0) != 0;
    }

    std::vector<LevelFileData> levels;
    GameContent content;
    bool hasMusic = false;
};

bool objectAt(const std::vector<LevelFileObject>& list, double x, double y) {
    for (const LevelFileObject& object : list)
        if (object.x == x && object.y == y) return true;
    return false;
}

}  // namespace

TEST_F(SampleLevelsTest, ThePackPassesTheCheckWithoutAnyFinding) {
    ASSERT_GE(levels.size(), 30u);
    int checked = 0;
    ::testing::internal::CaptureStderr();  // the empty pictures cannot be decoded
    const std::vector<Finding> findings = checkGameFolder(folder.path(), "zindrop", checked);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(checked, static_cast<int>(levels.size()));
    for (const Finding& finding : findings)
        if (matters(finding)) ADD_FAILURE() << finding.where << ": " << finding.message;
}

// The journey pack, whose levels each have a second solution as well.
TEST_F(SampleLevelsTest, TheJourneyPackPassesTheCheckWithoutAnyFinding) {
    std::vector<LevelFileData> journey;
    addPack(JourneyFolder, journey);
    ASSERT_GE(journey.size(), 20u);
    int checked = 0;
    ::testing::internal::CaptureStderr();
    const std::vector<Finding> findings = checkGameFolder(folder.path(), "journey", checked);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(checked, static_cast<int>(journey.size()));
    for (const Finding& finding : findings)
        if (matters(finding)) ADD_FAILURE() << finding.where << ": " << finding.message;
}

TEST_F(SampleLevelsTest, TheMenuBackgroundIsASoundLevel) {
    ::testing::internal::CaptureStderr();
    content = scanGameFolder(folder.path());
    ::testing::internal::GetCapturedStderr();
    std::vector<Finding> findings;
    checkLevel(buildLevel(LevelsFolder + "menubackground.txt"), content, "menubackground.zdl", findings);
    for (const Finding& finding : findings)
        if (matters(finding)) ADD_FAILURE() << finding.where << ": " << finding.message;
}

TEST_F(SampleLevelsTest, TogetherTheLevelsUseEveryKindOfObject) {
    ::testing::internal::CaptureStderr();
    content = scanGameFolder(folder.path());
    ::testing::internal::GetCapturedStderr();
    std::set<std::int32_t> kinds;
    bool crackedWall = false;
    bool crackedFloor = false;
    bool hole = false;
    for (const LevelFileData& data : levels) {
        for (int list = 1; list <= LevelListCount; ++list)
            for (const LevelFileObject& object : data.lists[list]) kinds.insert(kindOf(object));
        for (const LevelFileObject& crack : data.lists[ListCracks]) {
            const bool onWall = objectAt(data.lists[ListWalls], crack.x, crack.y);
            crackedWall = crackedWall || onWall;
            crackedFloor = crackedFloor || (!onWall && objectAt(data.lists[ListGround], crack.x, crack.y));
        }
        // A hole: a cell without ground or wall between two ground tiles of
        // its row.
        for (const LevelFileObject& left : data.lists[ListGround])
            for (const LevelFileObject& right : data.lists[ListGround])
                if (right.y == left.y && right.x > left.x + 128 &&
                    !objectAt(data.lists[ListGround], left.x + 128, left.y) &&
                    !objectAt(data.lists[ListWalls], left.x + 128, left.y))
                    hole = true;
    }
    for (std::int32_t kind : {KindGround, KindWall, KindCrack, KindFlag, KindBomb, KindExit, KindTrap,
                              KindArrowEast, KindArrowNorth, KindArrowSouth, KindArrowWest, KindArrowJump,
                              KindPlatform, KindMarkerEast, KindMarkerNorth, KindMarkerSouth, KindMarkerWest})
        EXPECT_TRUE(kinds.count(kind)) << "kind " << kind;
    EXPECT_TRUE(crackedWall);
    EXPECT_TRUE(crackedFloor);
    EXPECT_TRUE(hole);
}

TEST_F(SampleLevelsTest, EveryLevelHasFourLinesOfTextInBothLanguages) {
    for (const std::string& pack : {PackFolder, JourneyFolder})
        for (const std::string& file : listFolder(LevelsFolder + pack, "???.txt", EntryKind::Files))
            for (const char* language : {".eng", ".deu"}) {
                const std::string level = pack + file.substr(0, 3);
                std::string text;
                ASSERT_TRUE(readTextFile(LevelsFolder + level + language, text)) << level << language;
                int lines = 0;
                for (char c : text) lines += c == '\n' ? 1 : 0;
                EXPECT_EQ(lines, 4) << level << language;
                EXPECT_EQ(text.find('\r'), std::string::npos) << level << language;
            }
}
