#include <gtest/gtest.h>

#include <algorithm>

#include "assets/texture_catalogue.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level_check.h"
#include "support/headless_game.h"

namespace {

const char* const Pack = "txtpcka";

LevelFileObject at(const char* name, double x, double y, double vx = 0) { return {Pack, name, vx, 0, x, y}; }

// A fair little level: a row of three ground tiles with the ball on the
// first, a flag in the middle and the exit at the end.
LevelFileData goodLevel() {
    LevelFileData data;
    data.background = at("sky", 0, 0);
    data.ball = at("ball", 0, 0);
    data.ballShadow = at("shadow", 16, 16);
    for (double x : {0.0, 128.0, 256.0}) data.lists[ListGround].push_back(at("grass", x, 0));
    data.lists[ListBombsAndFlags].push_back(at("flag", 128, 0));
    data.lists[ListExitsAndTraps].push_back(at("", 256, 0));
    data.lists[ListArrows].push_back(at("east", 128, 0, DirEast));
    data.musicName = "audio/SONG.ogg";  // the list is matched ignoring case
    return data;
}

// The game folder is the test's program folder; the game's texture loader
// runs headless on it and names the pictures it cannot read (all of these,
// which are empty) on the error stream, which the tests catch.
class LevelCheckTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        // File names as the texture packs name them: kind, two wrap letters,
        // free name, frame number.
        for (const char* file : {"grndrrgrass00.png", "grndrrgrass01.png", "wallccbrick00.png", "exitcc00.png",
                                 "FLAGrcflag00.png", "ballccball00.png", "blshccshadow00.png", "backccsky00.png",
                                 "arrecceast00.png", "crckcccrack00.png", "grndccnotaset.png"})
            game.write(std::string(Pack) + "/" + file, "");
        game.write("audio/song.ogg", "");
        std::string language;
        for (int line = 1; line <= 238; ++line) language += line == 84 ? "eng\n" : "x\n";
        game.write("english.str", language);
    }

    void writeLevel(const std::string& pack, const std::string& file, const LevelFileData& data) {
        game.write(pack + "/" + file, encodeLevelFile(data));
    }

    // The findings as "where: message" lines, errors and warnings marked.
    std::vector<std::string> check(const std::string& pack, int& levels) {
        std::vector<std::string> lines;
        ::testing::internal::CaptureStderr();
        const std::vector<Finding> findings = checkGameFolder(game.path(), pack, levels);
        loaderErrors = ::testing::internal::GetCapturedStderr();
        for (const Finding& finding : findings)
            lines.push_back(finding.where + (finding.severity == Severity::Error ? " E: " : " W: ") +
                            finding.message);
        return lines;
    }

    const TempFolder& game = folder;
    std::string loaderErrors;
};

bool has(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

}  // namespace

TEST_F(LevelCheckTest, TheTextureTableIsTheGamesOwn) {
    ::testing::internal::CaptureStderr();
    const GameContent content = scanGameFolder(game.path());
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("Error: Loading texture... " + game.path() + "txtpcka/wallccbrick00.png"), std::string::npos)
        << errors;
    ASSERT_EQ(content.textureSets.size(), 9u);  // frame 01 and a name without a frame number are no sets
    auto find = [&](const std::string& name) {
        return std::find_if(content.textureSets.begin(), content.textureSets.end(),
                            [&](const TextureSet& set) { return set.name == name; });
    };
    ASSERT_NE(find("flag"), content.textureSets.end());
    EXPECT_EQ(find("flag")->kind, KindFlag);  // the kind code in any case
    ASSERT_NE(find(""), content.textureSets.end());
    EXPECT_EQ(find("")->kind, KindExit);
    EXPECT_EQ(find("")->packName, Pack);
    EXPECT_EQ(content.music, std::vector<std::string>{"audio/song.ogg"});
    EXPECT_EQ(content.textExtensions, std::vector<std::string>{"eng"});
}

TEST_F(LevelCheckTest, AFairLevelHasNoFindings) {
    writeLevel("lvlpckgood", "001.zdl", goodLevel());
    game.write("lvlpckgood/001.eng", "one\ntwo\nthree\nfour\n");
    game.write("lvlpckgood/001.solution", "60 Right\n");
    int levels = 0;
    const auto findings = check("", levels);
    EXPECT_TRUE(findings.empty()) << joined(findings);
    EXPECT_EQ(levels, 1);
}

TEST_F(LevelCheckTest, EveryKindOfFaultIsFound) {
    LevelFileData broken = goodLevel();
    broken.ball.x = 512;  // over a hole
    broken.lists[ListExitsAndTraps].clear();
    broken.lists[ListBombsAndFlags].clear();
    broken.lists[ListArrows][0].vx = DirNorth;
    broken.lists[ListGround].push_back(at("lava", 384, 0));
    broken.lists[ListGround].push_back(at("lava", 512, 128));
    broken.lists[ListGround].push_back(at("brick", 640, 0));
    broken.lists[ListCracks].push_back(at("crack", 0, 512));
    broken.musicName = "audio/none.ogg";
    writeLevel("lvlpckbad", "001.zdl", broken);
    writeLevel("lvlpckbad", "003.zdl", goodLevel());
    game.write("lvlpckbad/004.zdl", "ZDLVL\0");
    writeLevel("lvlpckbad", "abc.zdl", goodLevel());
    LevelFileData ballless = goodLevel();
    ballless.ball.packName.clear();
    ballless.ball.name.clear();
    writeLevel("lvlpckbad", "005.zdl", ballless);
    LevelFileData wrongBall = goodLevel();
    wrongBall.ball.name = "flag";
    wrongBall.musicName.clear();
    writeLevel("lvlpckbad", "006.zdl", wrongBall);

    int levels = 0;
    const auto findings = check("bad", levels);
    EXPECT_EQ(levels, 5);
    const std::string text = joined(findings);
    EXPECT_TRUE(has(findings, "lvlpckbad/001.zdl E: missing texture \"lava\" of pack \"txtpcka\" (used 2 times)")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/001.zdl E: the ball starts at (512, 0), not on ground")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/001.zdl E: no exit")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/001.zdl W: no flags")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/001.zdl E: unknown music \"audio/none.ogg\"")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/001.zdl W: the east arrow at (128, 0) has direction 1 instead of 2")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/001.zdl W: 1 object(s) do not belong in groundTiles, such as a wall picture")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/001.zdl W: the crack at (0, 512) lies on neither a wall nor ground")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/001.zdl W: no companion text 001.eng")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/001.zdl W: no solution 001.solution")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad E: gap in the numbering: 002.zdl is missing")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/004.zdl E: cannot be read as a level file")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/abc.zdl W: not a level number")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/005.zdl E: no ball")) << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/006.zdl E: no ball: the ball shows \"flag\" of pack \"txtpcka\", a flag picture"))
        << text;
    EXPECT_TRUE(has(findings, "lvlpckbad/006.zdl W: no music")) << text;
    // The fair level 003 has nothing but its missing companion text and solution.
    for (const std::string& line : findings)
        if (line.rfind("lvlpckbad/003.zdl", 0) == 0)
            EXPECT_TRUE(line.find("no companion text") != std::string::npos ||
                        line.find("no solution") != std::string::npos)
                << line;
}

TEST_F(LevelCheckTest, PacksAreFoundByEitherNameAndMissingOnesAreErrors) {
    writeLevel("lvlpckgood", "001.zdl", goodLevel());
    int levels = 0;
    EXPECT_FALSE(has(check("lvlpckgood", levels), " E: "));
    EXPECT_EQ(levels, 1);
    EXPECT_TRUE(has(check("nosuch", levels), "lvlpcknosuch E: no such level pack"));
    game.write("lvlpckempty/readme.txt", "");
    EXPECT_TRUE(has(check("empty", levels), "lvlpckempty E: the pack has no levels"));
}

// A second solution (NNN.alt.solution) is only expected in a pack whose
// levels show one; there a level without it, and one for a level the pack
// does not have, are worth a warning.
TEST_F(LevelCheckTest, SecondSolutionsAreExpectedOnlyInPacksThatOfferThem) {
    for (const char* pack : {"lvlpckways", "lvlpckplain"})
        for (const char* number : {"001", "002"}) {
            writeLevel(pack, std::string(number) + ".zdl", goodLevel());
            game.write(std::string(pack) + "/" + number + ".eng", "one\ntwo\nthree\nfour\n");
            game.write(std::string(pack) + "/" + number + ".solution", "60 Right\n");
        }
    game.write("lvlpckways/001.alt.solution", "60 Right\n");
    game.write("lvlpckways/007.alt.solution", "60 Right\n");
    int levels = 0;
    const auto findings = check("", levels);
    EXPECT_EQ(levels, 4);
    const std::string text = joined(findings);
    EXPECT_TRUE(has(findings, "lvlpckways/002.zdl W: no second solution 002.alt.solution")) << text;
    EXPECT_TRUE(has(findings, "lvlpckways/007.alt.solution W: a second solution for 007.zdl, which the pack does not have"))
        << text;
    EXPECT_EQ(findings.size(), 2u) << text;
}
