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
