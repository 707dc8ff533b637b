// The page of the level packs: written from a small game folder whose every
// line can be predicted, and the pages the build wrote into the game folder.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "config/language.h"
#include "config/paths.h"
#include "gfx/png.h"
#include "gfx/png_samples.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level_page.h"
#include "platform/files.h"
#include "support/headless_game.h"
#include "support/tool_run.h"

namespace {

// A language file whose strings name themselves ("#n"), with the words the
// page uses and string 130 as given.
std::string languageFile(const std::string& link) {
    std::string text;
    for (int n = 1; n <= 238; ++n) {
        std::string line = "#" + std::to_string(n);
        if (n == 1) line = "Zindrop 7";
        if (n == 84) line = "eng";
        if (n == 108) line = "More levels";
        if (n == 130) line = link;
        if (n == 131) line = "Packs are folders";
        if (n == 132) line = "that start with lvlpck.";
        if (n == 173) line = "\"Level \"";
        text += line + "\n";
    }
    return text;
}

LevelFileObject at(const char* name, double x, double y) { return {"txtpckt", name, 0, 0, x, y}; }

// One tile of ground under the ball.
Bytes levelFile(const std::string& title) {
    LevelFileData data;
    data.background = at("sky", 0, 0);
    data.ball = at("ball", 0, 0);
    data.ballShadow = at("shadow", 16, 16);
    data.lists[ListGround].push_back(at("grass", 0, 0));
    data.levelName = title;
    return encodeLevelFile(data);
}

class LevelPageTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        const Bytes pixel = PngBuilder().header(1, 1, 8, 6).data({0, 40, 160, 60, 255}).end().bytes();
        for (const char* picture : {"backccsky00", "ballccball00", "blshccshadow00", "grndccgrass00"})
            folder.write(std::string("txtpckt/") + picture + ".png", pixel);
        folder.write("english.str", languageFile("levels.html"));
        folder.write("online.str", languageFile("https://example.org/zindrop7/"));
        // The title in Windows-1252 with an e acute and characters HTML must escape.
        folder.write("lvlpckzindrop/001.zdl", levelFile("Caf\xE9 <Roll> & Go"));
        folder.write("lvlpckzindrop/001.eng",
                     std::string("Caf\xE9 <Roll> & Go\r\nTake the flag,\r\nthen the exit.\r\n"));
        folder.write("lvlpckzindrop/002.zdl", std::string("ZDLVL but no level"));
        folder.write("lvlpckbonus/001.zdl", levelFile("Upwards"));
        folder.write("lvlpckbonus/001.eng", std::string("Aufw\xE4rts\nRide up.\n"));
        folder.write("lvlpckbonus/003.zdl", levelFile("Counted as the second"));
        folder.write("lvlpckempty/readme.txt", std::string("no levels yet"));
        // Maps of levels that are gone.
        folder.write("levelmaps/lvlpckgone/001.png", pixel);
        folder.write("levelmaps/lvlpckzindrop/007.png", pixel);
    }

    bool writePages(std::vector<std::string>& written, std::string& error) {
        // The loader names the screen pictures this folder lacks on the error stream.
        ::testing::internal::CaptureStderr();
        const bool done = writeLevelPages(folder.path(), 40, written, error);
        ::testing::internal::GetCapturedStderr();
        return done;
    }
};

TEST_F(LevelPageTest, EveryPackAndLevelIsListedWithItsMapInTheWordsOfTheLanguageThatNamesThePage) {
    std::vector<std::string> written;
    std::string error;
    ASSERT_TRUE(writePages(written, error)) << error;
    // The language with an address as its link gets no page.
    EXPECT_EQ(written, std::vector<std::string>{"levels.html"});
    const std::string page = folder.read("levels.html");

    EXPECT_NE(page.find("<title>Zindrop 7: More levels</title>"), std::string::npos);
    // How a pack is added: the page lines joined into one paragraph.
    EXPECT_NE(page.find("<p>Packs are folders that start with lvlpck. #133 #134</p>"), std::string::npos);
    // The packs in the game's order, each with its level count.
    const std::size_t bonus = page.find("<h2 id=\"lvlpckbonus\">bonus (2)</h2>");
    const std::size_t empty = page.find("<h2 id=\"lvlpckempty\">empty (0)</h2>");
    const std::size_t main = page.find("<h2 id=\"lvlpckzindrop\">zindrop (2)</h2>");
    ASSERT_NE(bonus, std::string::npos);
    ASSERT_NE(empty, std::string::npos);
    ASSERT_NE(main, std::string::npos);
    EXPECT_LT(bonus, empty);
    EXPECT_LT(empty, main);

    // A level: its map, the title in UTF-8 and escaped, and its text as one
    // paragraph, without the title line that repeats it.
    EXPECT_NE(page.find("<img src=\"levelmaps/lvlpckzindrop/001.png\" width=\"40\" height=\"40\""),
              std::string::npos);
    EXPECT_NE(page.find("<b>Level 1: Caf\xC3\xA9 &lt;Roll&gt; &amp; Go</b><br>"
                        "Take the flag, then the exit.</figcaption>"),
              std::string::npos);
    Bytes block;
    EXPECT_TRUE(decodePng(folder.path() + "levelmaps/lvlpckzindrop/001.png", 32, block));
    // A damaged level and a missing one are named, without a map.
    EXPECT_NE(page.find("<b>Level 2</b><br>#82 #83</figcaption>"), std::string::npos);
    EXPECT_NE(page.find("<b>Level 2</b><br>#81 002.zdl</figcaption>"), std::string::npos);
    EXPECT_FALSE(fileExists(folder.path() + "levelmaps/lvlpckzindrop/002.png"));
    // A first line that is not the title (the title in the text's own
    // language) stands on its own.
    EXPECT_NE(page.find("<b>Level 1: Upwards</b><br>Aufw\xC3\xA4rts<br>Ride up.</figcaption>"), std::string::npos);

    // Maps of levels that are gone are removed, with their emptied folder.
    EXPECT_FALSE(fileExists(folder.path() + "levelmaps/lvlpckzindrop/007.png"));
    EXPECT_FALSE(folderExists(folder.path() + "levelmaps/lvlpckgone/"));
}

TEST_F(LevelPageTest, ALinkThatIsNeitherAnAddressNorAPageNameStopsTheBuild) {
    for (const std::string& link : {"../outside.html", "levels.htm", "my levels.html", "sub/levels.html"}) {
        folder.write("online.str", languageFile(link));
        std::vector<std::string> written;
        std::string error;
        EXPECT_FALSE(writePages(written, error)) << link;
        EXPECT_NE(error.find("online.str"), std::string::npos) << error;
    }
    EXPECT_FALSE(fileExists(folder.path() + "../outside.html"));
    // Two languages may not share a page: one would hide the other.
    folder.write("online.str", languageFile("levels.html"));
    std::vector<std::string> written;
    std::string error;
    EXPECT_FALSE(writePages(written, error));
    EXPECT_NE(error.find("levels.html"), std::string::npos) << error;
}

#ifdef ZD_TOOL

TEST_F(LevelPageTest, TheCommandNamesThePagesItWrote) {
    const ToolRun run = runTool(folder, "page '" + folder.path() + "' --size 24");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(folder.path() + "levels.html"), std::string::npos) << run.output;
    EXPECT_NE(folder.read("levels.html").find("width=\"24\""), std::string::npos);
    EXPECT_EQ(runTool(folder, "page").status, 2);
    EXPECT_EQ(runTool(folder, "page '" + folder.path() + "missing/'").status, 1);
}

#endif

// The build wrote a page for every shipped language, listing every level of
// every shipped pack with a map that lies beside it.
TEST(ShippedLevelPage, EveryLanguagesPageShowsEveryShippedLevel) {
    const std::string game = std::string(ZD_GAME_DIR) + "/";
    int shippedLevels = 0;
    for (const std::string& pack : listFolder(std::string(ZD_SOURCE_DIR) + "/levels/", "lvlpck*", EntryKind::Folders))
        for (const std::string& name :
             listFolder(std::string(ZD_SOURCE_DIR) + "/levels/" + pack + "/", "???.txt", EntryKind::Files))
            ++shippedLevels;
    ASSERT_GT(shippedLevels, 0);
    for (const std::string& file : listFolder(std::string(ZD_SOURCE_DIR) + "/data/", "*.str", EntryKind::Files)) {
        SCOPED_TRACE(file);
        std::string text;
        ASSERT_TRUE(readTextFile(std::string(ZD_SOURCE_DIR) + "/data/" + file, text));
        std::string link = text;
        for (int line = 1; line < 130; ++line) link = link.substr(link.find('\n') + 1);
        link = link.substr(0, link.find('\n'));
        ASSERT_TRUE(isPageName(link)) << link;
        std::string page;
        ASSERT_TRUE(readTextFile(game + link, page)) << "the build did not write " << link;
        const std::regex map("<img src=\"([^\"]+)\"");
        int maps = 0;
        for (auto it = std::sregex_iterator(page.begin(), page.end(), map); it != std::sregex_iterator(); ++it) {
            EXPECT_TRUE(fileExists(game + (*it)[1].str())) << (*it)[1].str();
            ++maps;
        }
        EXPECT_EQ(maps, shippedLevels);
    }
}

}  // namespace
