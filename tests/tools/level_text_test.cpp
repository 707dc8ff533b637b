#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "level/level.h"
#include "level/level_file.h"
#include "level_text.h"
#include "platform/files.h"
#include "support/level_bytes.h"
#include "text_syntax.h"

namespace {

double fromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Random levels that stress the text form: grid runs in row-major order and
// out of order, two objects in one cell, off-grid and odd numbers (negative
// zero, NaN payloads, infinities), names that need quoting, and sometimes
// more distinct pictures than there are legend characters. Versions below 3
// store whole numbers only, so those levels get whole numbers.
class LevelGenerator {
public:
    LevelGenerator(unsigned seed, int fileVersion) : random(seed), version(fileVersion) {}

    LevelFileData level() {
        LevelFileData data;
        manyNames = pick(6) == 0;
        data.background = object(0);
        for (int n = 1; n <= 10; ++n) {
            const int count = pick(4) == 0 ? 0 : pick(40);
            for (int i = 0; i < count; ++i) data.lists[n].push_back(object(n));
            if (pick(2) == 0) sortRowMajor(data.lists[n]);
            if (count > 0 && pick(4) == 0) data.lists[n].push_back(data.lists[n][pick(count)]);
        }
        data.ball = object(0);
        data.ballShadow = object(0);
        data.musicName = text();
        data.zoom = version >= 3 ? number() : static_cast<float>(pick(100)) / 8.0f;
        data.explodeCount = number();
        data.exitCount = number();
        data.bombsCarried = static_cast<std::int32_t>(random());
        data.sinkScale = number();
        data.jumpState = pick(3) == 0 ? std::numeric_limits<std::int32_t>::min() : pick(3);
        data.jumpHeight = number();
        data.timeLimit = number();
        data.levelName = text();
        return data;
    }

private:
    int pick(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }

    std::string text() {
        std::string bytes;
        const int length = pick(3) == 0 ? 0 : pick(12);
        for (int i = 0; i < length; ++i) bytes += static_cast<char>(pick(256));
        return bytes;
    }

    double number() {
        if (version < 3) return pick(2001) - 1000;
        switch (pick(12)) {
            case 0: return -0.0;
            case 1: return fromBits(0x7FF0000000000123ull);  // a signalling NaN payload
            case 2: return -std::numeric_limits<double>::infinity();
            case 3: return 1.0 / 3.0;
            case 4: return 5e-324;
            case 5: return std::ldexp(128.0, 45);  // on the grid, but too far for one
            default: return (pick(4001) - 2000) / 8.0;
        }
    }

    double coordinate() {
        if (pick(5) != 0) return 128.0 * (pick(14) - 2);
        return number();
    }

    LevelFileObject object(int list) {
        static const char* const packs[] = {"txtpckclassic", "txtpck neon", "", "txtpck\"q\\", "\xC4pack"};
        static const char* const names[] = {"grass", "brick", "arrow east", "", "#hash", "na\x81me\x01"};
        LevelFileObject o;
        o.packName = packs[pick(5)];
        o.name = manyNames ? "n" + std::to_string(pick(120)) : names[pick(6)];
        o.x = coordinate();
        o.y = coordinate();
        if (list == 3 || list == 4) {
            o.vx = pick(4) == 0 ? number() : pick(6);
            o.vy = pick(6) == 0 ? number() : 0;
        } else if (pick(5) == 0) {
            o.vx = number();
            o.vy = number();
        }
        return o;
    }

    static void sortRowMajor(std::vector<LevelFileObject>& list) {
        std::stable_sort(list.begin(), list.end(), [](const LevelFileObject& a, const LevelFileObject& b) {
            return a.y < b.y || (a.y == b.y && a.x < b.x);
        });
    }

    std::mt19937 random;
    int version;
    bool manyNames = false;
};

// Builds `text` and fails the test with the problems when it does not build.
Bytes build(const std::string& text) {
    LevelFileData data;
    std::vector<TextProblem> problems;
    const bool built = levelFromText(text, data, problems);
    EXPECT_TRUE(built) << describeProblems("level", problems) << text;
    return built ? encodeLevelFile(data) : Bytes();
}

int count(const std::string& text, const std::string& word) {
    int found = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++found;
    return found;
}

std::vector<TextProblem> problemsOf(const std::string& text) {
    LevelFileData data;
    std::vector<TextProblem> problems;
    EXPECT_FALSE(levelFromText(text, data, problems)) << text;
    return problems;
}

}  // namespace

TEST(LevelText, BuildOfDumpGivesBackEveryFileOfEveryVersion) {
    int grids = 0;
    int objectLines = 0;
    for (int version = 0; version <= 7; ++version)
        for (unsigned seed = 1; seed <= 60; ++seed) {
            SCOPED_TRACE("version " + std::to_string(version) + ", seed " + std::to_string(seed));
            const Bytes file = levelBytes(LevelGenerator(seed, version).level(), version);
            LevelFileData loaded;
            ASSERT_TRUE(decodeLevelFile(file, loaded));
            const std::string text = levelToText(loaded);
            // A version-7 file comes back byte for byte; an older one as the
            // version-7 file of what the game loads from it.
            const Bytes expected = version == 7 ? file : encodeLevelFile(loaded);
            ASSERT_EQ(build(text), expected) << text;
            EXPECT_EQ(text.find("read from a version") != std::string::npos, version != 7);
            grids += count(text, "\ngrid ");
            objectLines += count(text, "\nobject ");
        }
    // The generated levels exercise both ways of writing objects.
    EXPECT_GT(grids, 100);
    EXPECT_GT(objectLines, 100);
}

TEST(LevelText, BoardsInRowOrderDumpAsGridsWithTheirLegend) {
    LevelFileData data;
    for (double y : {0.0, 128.0})
        for (double x : {-128.0, 0.0, 128.0}) data.lists[ListGround].push_back({"txtpckclassic", "grass", 0, 0, x, y});
    data.lists[ListArrows].push_back({"txtpckclassic", "arroweast", 2, 0, 0, 0});
    data.lists[ListArrows].push_back({"txtpckclassic", "jump", 5, 0, 256, 0});
    data.lists[ListWalls].push_back({"txtpckclassic", "brick", 0, 0, 0, 0});
    data.lists[ListWalls].push_back({"txtpckclassic", "brick", 0, 0, 256, 256});
    const std::string text = levelToText(data);
    EXPECT_NE(text.find("legend g txtpckclassic grass\n"), std::string::npos) << text;
    EXPECT_NE(text.find("legend > txtpckclassic arroweast dir 2\n"), std::string::npos) << text;
    EXPECT_NE(text.find("legend \"#\" txtpckclassic brick\n"), std::string::npos) << text;
    EXPECT_NE(text.find("grid groundTiles -128 0\n|ggg|\n|ggg|\n"), std::string::npos) << text;
    EXPECT_NE(text.find("grid walls 0 0\n|#..|\n|...|\n|..#|\n"), std::string::npos) << text;
    EXPECT_EQ(count(text, "\nobject "), 0) << text;
    EXPECT_EQ(build(text), encodeLevelFile(data));
}

TEST(LevelText, TheDocumentedExampleBuildsIntoTheBoardItDraws) {
    std::string document;
    ASSERT_TRUE(readTextFile(ZD_SOURCE_DIR "/docs/level-text-format.md", document));
    const std::size_t start = document.find("```text\n");
    ASSERT_NE(start, std::string::npos);
    const std::size_t end = document.find("```", start + 8);
    LevelFileData data;
    std::vector<TextProblem> problems;
    ASSERT_TRUE(levelFromText(document.substr(start + 8, end - start - 8), data, problems))
        << describeProblems("example", problems);
    EXPECT_EQ(data.levelName, "First drop");
    EXPECT_EQ(data.timeLimit, 60);
    EXPECT_EQ(data.ball.x, 128);
    EXPECT_EQ(data.ballShadow.y, 144);
    const auto& ground = data.lists[ListGround];
    ASSERT_EQ(ground.size(), 10u);
    // Row by row, left to right; the two holes of the middle row are skipped.
    EXPECT_EQ(ground[4].x, 128);
    EXPECT_EQ(ground[4].y, 256);
    EXPECT_EQ(ground[5].x, 512);
    EXPECT_EQ(ground[9].x, 512);
    EXPECT_EQ(ground[9].y, 384);
    EXPECT_EQ(data.lists[ListWalls].size(), 18u);
    ASSERT_EQ(data.lists[ListArrows].size(), 1u);
    EXPECT_EQ(data.lists[ListArrows][0].vx, 2);
    ASSERT_EQ(data.lists[ListPlatforms].size(), 1u);
    EXPECT_EQ(data.lists[ListPlatforms][0].vx, 7);
    EXPECT_EQ(data.lists[ListPlatforms][0].name, "platform");
}

TEST(LevelText, ListsKeepTheirOrderAcrossGridsAndObjectLines) {
    const Bytes bytes = build(
        "legend a p one\n"
        "legend b p two\n"
        "object walls p solo 64 64\n"
        "grid walls 0 0\n"
        "|a.b|\n"
        "\n"
        "# rows may carry on after blank lines and comments\n"
        "|  a\n"
        "grid groundTiles 0 0\n"
        "|b|\n"
        "object walls p last 1 2 3 4\n");
    LevelFileData data;
    ASSERT_TRUE(decodeLevelFile(bytes, data));
    const auto& walls = data.lists[ListWalls];
    ASSERT_EQ(walls.size(), 5u);
    EXPECT_EQ(walls[0].name, "solo");
    EXPECT_EQ(walls[1].name, "one");
    EXPECT_EQ(walls[2].x, 256);
    EXPECT_EQ(walls[3].name, "one");
    EXPECT_EQ(walls[3].x, 256);
    EXPECT_EQ(walls[3].y, 128);
    EXPECT_EQ(walls[4].vy, 4);
    EXPECT_EQ(data.lists[ListGround].size(), 1u);
    // Defaults for what the text leaves out.
    EXPECT_EQ(data.zoom, 0.5);
    EXPECT_EQ(data.timeLimit, 600);
    EXPECT_EQ(data.levelName, "");
}

TEST(LevelText, MistakesAreReportedWithTheirLines) {
    const std::vector<TextProblem> problems = problemsOf(
        "title \"unterminated\n"          // 1
        "zoom big\n"                       // 2
        "ball txtpck ball 1\n"             // 3
        "legend ab p n\n"                  // 4
        "grid floors 0 0\n"                // 5
        "|ab|\n"                           // 6: belongs to the broken grid, not reported again
        "legend a p n dir east\n"          // 7
        "legend b p n\n"                   // 8
        "grid walls 0 0\n"                 // 9
        "|bbk|\n"                          // 10
        "title one\n"                      // 11
        "title two\n"                      // 12
        "|b|\n"                            // 13: not part of a grid
        "object walls p n 1\n"             // 14
        "jumpState 2.5\n"                  // 15
        "speed 3\n"                        // 16
        "grid cracks 0 0\n");              // 17: no rows
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "no closing quote"},
        {2, "zoom must be a number, not \"big\""},
        {3, "ball takes PACK NAME [X Y [VX VY]]"},
        {4, "a legend character must be one printable ASCII character"},
        {5, "unknown list \"floors\""},
        {7, "dir must be a number, not \"east\""},
        {10, "column 4: \"k\" is not in the legend"},
        {12, "title is given twice (first on line 11)"},
        {13, "a grid row outside a grid"},
        {14, "object takes LIST PACK NAME X Y [VX VY]"},
        {15, "jumpState must be a whole number"},
        {16, "unknown statement \"speed\""},
        {17, "the grid has no rows"},
    };
    ASSERT_EQ(problems.size(), expected.size()) << describeProblems("level.txt", problems);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(problems[i].line, expected[i].first) << problems[i].message;
        EXPECT_NE(problems[i].message.find(expected[i].second), std::string::npos) << problems[i].message;
    }
    EXPECT_EQ(describeProblems("a.txt", {{2, "zoom must be a number"}}), "a.txt:2: zoom must be a number\n");
}

TEST(LevelText, TextsAreUtf8InTheFileAndWindows1252InTheLevel) {
    // Every byte survives a trip through a quoted word.
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
    std::vector<TextWord> words;
    std::string error;
    ASSERT_TRUE(splitLine("title " + quotedWord(everyByte), words, error)) << error;
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].text, everyByte);

    ASSERT_TRUE(splitLine("title \"\xC3\x9C" "ber \xE2\x82\xAC\" x\\y", words, error)) << error;
    EXPECT_EQ(words[1].text, "\xDC" "ber \x80");
    EXPECT_EQ(words[2].text, "x\\y");  // no escapes in bare words
    EXPECT_FALSE(splitLine("title \"\xE4\xB8\xAD\"", words, error));  // no Windows-1252 form
    EXPECT_NE(error.find("column 8"), std::string::npos) << error;
    EXPECT_FALSE(splitLine("title \xFF", words, error));
    EXPECT_FALSE(splitLine("title \"a\\q\"", words, error));
    EXPECT_FALSE(splitLine("title \"a\"b", words, error));

    // Windows line ends build the same level.
    const std::string text = "title \"x\"\nlegend g p n\ngrid walls 0 0\n|g.g|\n";
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(build(crlf), build(text));
}

TEST(LevelText, NumbersReadBackToTheSameBits) {
    for (double value : {0.0, -0.0, 0.1, 1.0 / 3.0, 5e-324, 1.7976931348623157e308,
                         -std::numeric_limits<double>::infinity(), fromBits(0xFFF8000000000001ull)}) {
        double back = 1;
        ASSERT_TRUE(readNumber(numberWord(value), back)) << numberWord(value);
        EXPECT_EQ(std::memcmp(&value, &back, sizeof value), 0) << numberWord(value);
    }
    double value;
    for (const char* bad : {"", "nan", "1.5x", "0x123", "+-1", "1e999", "12 "})
        EXPECT_FALSE(readNumber(bad, value)) << bad;
    std::int32_t whole;
    EXPECT_TRUE(readInt32("-2147483648", whole));
    EXPECT_FALSE(readInt32("2147483648", whole));
}
