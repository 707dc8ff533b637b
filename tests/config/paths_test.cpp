#include <gtest/gtest.h>

#include "config/paths.h"
#include "support/headless_game.h"

TEST(Paths, FolderOf) {
    EXPECT_EQ(folderOf("C:\\Games\\x\\prog.exe"), "C:/Games/x/");
    EXPECT_EQ(folderOf("prog.exe"), "prog.exe/");
    EXPECT_EQ(folderOf("/a/b/"), "/a/b/");
}

TEST(Paths, LastFolderName) {
    EXPECT_EQ(lastFolderName("C:/Games/x/txtpckstone/"), "txtpckstone");
    EXPECT_EQ(lastFolderName("a/b/c/x.png"), "c");
    EXPECT_EQ(lastFolderName("c/"), "c");
}

TEST(Paths, ZeroPadAndReplaceAll) {
    EXPECT_EQ(zeroPad(7, 3), "007");
    EXPECT_EQ(zeroPad(1234, 3), "1234");
    EXPECT_EQ(zeroPad(0, 3), "000");
    EXPECT_EQ(replaceAll("a\\b\\\\c", "\\", "/"), "a/b//c");
}

TEST(Paths, TheLinkIsAnAddressWithASchemeOrAPageInTheProgramFolder) {
    for (const char* address : {"https://example.org/zindrop7/", "file:///home/ann/levels.html", "mailto:a@b.c",
                                "git+ssh://host/x"})
        EXPECT_TRUE(isAddress(address)) << address;
    // A drive letter is no scheme, and neither is a name with a colon later on.
    for (const char* other : {"C:/Games/levels.html", "levels.html", "", "1http://x", "my page:x.html"})
        EXPECT_FALSE(isAddress(other)) << other;

    for (const char* page : {"levels.html", "levels-deutsch.html", "more_levels.v2.html"})
        EXPECT_TRUE(isPageName(page)) << page;
    for (const char* other : {".html", ".hidden.html", "levels.htm", "levels.html.txt", "../levels.html",
                              "sub/levels.html", "sub\\levels.html", "my levels.html", "lev\xE9ls.html", "C:levels.html"})
        EXPECT_FALSE(isPageName(other)) << other;
}

class SystemFolderTest : public HeadlessGameTest {};

TEST_F(SystemFolderTest, AskedOnceWithSlashesAndTrailingSeparator) {
    headless.systemFolderPath = "C:\\WINNT";
    EXPECT_EQ(systemFolder(), "C:/WINNT/");
    headless.systemFolderPath = "/changed/";
    EXPECT_EQ(systemFolder(), "C:/WINNT/");
}

TEST_F(SystemFolderTest, EmptyAnswerFallsBack) {
    headless.systemFolderPath = "";
    EXPECT_EQ(systemFolder(), "C:/WINDOWS/");
}
