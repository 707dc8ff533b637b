// Merging the shipped files into the web page's stored game folder, run on
// ordinary folders: the same file work the page does in its storage.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/web_storage.h"
#include "support/temp_folder.h"

namespace {

struct Merge : ::testing::Test {
    TempFolder shipped;
    TempFolder game;

    int merge() {
        bool ok = false;
        const int copied = mergeShippedFiles(shipped.path(), game.path(), ok);
        EXPECT_TRUE(ok);
        return copied;
    }
};

}  // namespace

TEST_F(Merge, FirstVisitCopiesEverythingWithItsFolders) {
    shipped.write("english.str", "strings");
    shipped.write("lvlpckmain/001.zdl", "level one");
    shipped.write("txtpckclassic/grndrr00.png", "picture");
    EXPECT_EQ(merge(), 3);
    EXPECT_EQ(game.read("english.str"), "strings");
    EXPECT_EQ(game.read("lvlpckmain/001.zdl"), "level one");
    EXPECT_EQ(game.read("txtpckclassic/grndrr00.png"), "picture");
    // A second visit with the same files changes nothing.
    EXPECT_EQ(merge(), 0);
}

TEST_F(Merge, NewVersionReplacesOnlyWhatThePlayerLeftAlone) {
    shipped.write("lvlpckmain/001.zdl", "one");
    shipped.write("lvlpckmain/002.zdl", "two");
    shipped.write("lvlpckmain/003.zdl", "three");
    merge();
    game.write("lvlpckmain/002.zdl", "two, edited by the player");
    deleteFile(game.path() + "lvlpckmain/003.zdl");
    game.write("settings.dat", "the player's settings");
    game.write("lvlpckmain/004.zdl", "the player's own level");

    shipped.write("lvlpckmain/001.zdl", "one, improved");
    shipped.write("lvlpckmain/002.zdl", "two, improved");
    shipped.write("lvlpckmain/003.zdl", "three, improved");
    shipped.write("lvlpckmain/004.zdl", "four, new in this version");
    shipped.write("lvlpckmain/005.zdl", "five, new in this version");
    EXPECT_EQ(merge(), 2);
    EXPECT_EQ(game.read("lvlpckmain/001.zdl"), "one, improved");
    EXPECT_EQ(game.read("lvlpckmain/002.zdl"), "two, edited by the player");
    EXPECT_FALSE(fileExists(game.path() + "lvlpckmain/003.zdl"));  // deleted stays deleted
    EXPECT_EQ(game.read("lvlpckmain/004.zdl"), "the player's own level");
    EXPECT_EQ(game.read("lvlpckmain/005.zdl"), "five, new in this version");
    EXPECT_EQ(game.read("settings.dat"), "the player's settings");

    // The player's deletion is still honoured by the version after.
    shipped.write("lvlpckmain/003.zdl", "three, improved again");
    EXPECT_EQ(merge(), 0);
    EXPECT_FALSE(fileExists(game.path() + "lvlpckmain/003.zdl"));
}

TEST_F(Merge, AnUnwritableGameFolderIsReported) {
    shipped.write("english.str", "strings");
    bool ok = true;
    EXPECT_EQ(mergeShippedFiles(shipped.path(), game.path() + "missing/", ok), 0);
    EXPECT_FALSE(ok);
}

TEST(RemoveFolderTree, RemovesFilesAndFoldersBelow) {
    TempFolder root;
    root.write("tree/a.txt", "a");
    root.write("tree/sub/b.txt", "b");
    root.write("tree/sub/deeper/c.txt", "c");
    root.write("kept.txt", "kept");
    removeFolderTree(root.path() + "tree/");
    EXPECT_FALSE(folderExists(root.path() + "tree"));
    EXPECT_TRUE(fileExists(root.path() + "kept.txt"));
}
