#include <gtest/gtest.h>

#include "config/settings.h"
#include "level/level_packs.h"
#include "progress/profiles.h"
#include "support/headless_game.h"

namespace {

class ProfileTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        folder.write("lvlpckalpha/001.zdl", "");
        folder.write("lvlpckother/001.zdl", "");
        listLevelPacks();  // alpha, other
    }
    // The pack a profile file with `contents` selects.
    std::string packChosenBy(const std::string& contents) {
        folder.write("pat.alp", contents);
        listProfiles();
        settings.currentProfile = findProfile("pat");
        packs.currentPack = 2;
        loadProfilePack();
        return currentPackName();
    }
};

TEST_F(ProfileTest, ProfilesAreListedSortedAndTheCurrentIsLoweredToTheirCount) {
    for (const char* name : {"Zoe.alp", "adam.alp", " bea.alp", "notes.txt"}) folder.write(name, "");
    settings.currentProfile = 7;
    startProfiles();
    ASSERT_EQ(profileState.profiles.count(), 3);
    EXPECT_EQ(profileState.profiles[1], "adam");
    EXPECT_EQ(profileState.profiles[2], " bea");
    EXPECT_EQ(profileState.profiles[3], "Zoe");
    EXPECT_EQ(settings.currentProfile, 3);

    settings.currentProfile = -2;  // a damaged settings file
    startProfiles();
    EXPECT_EQ(settings.currentProfile, 0);
}

TEST_F(ProfileTest, AFileEndingInCapitalsIsLeftAloneRatherThanDoubled) {
    // The game writes and deletes "NAME.alp"; listing "carl.ALP" as carl
    // would write a second file beside it and never delete this one.
    folder.write("carl.ALP", "lvlpckother\r\n");
    listProfiles();
    EXPECT_TRUE(profileState.profiles.empty());
    EXPECT_EQ(folder.read("carl.ALP"), "lvlpckother\r\n");
}

TEST_F(ProfileTest, TheProfileFileNamesThePackPlayedLast) {
    EXPECT_EQ(packChosenBy("lvlpckother\r\n"), "lvlpckother");
    EXPECT_EQ(packChosenBy("  LVLPCKOther \nlvlpckalpha\n"), "lvlpckother");
    EXPECT_EQ(packChosenBy("lvlpckother"), "lvlpckother");  // no line end
    EXPECT_EQ(packChosenBy(""), "lvlpckalpha");             // empty: pack 1
    EXPECT_EQ(packChosenBy(std::string("\0\xff\x01lvl\r", 7)), "lvlpckalpha");
    EXPECT_EQ(packChosenBy("lvlpckgone\r\n"), "lvlpckalpha");
    EXPECT_EQ(folder.read("pat.alp"), "lvlpckgone\r\n");  // reading never rewrites it

    settings.currentProfile = 0;  // nobody: pack 1, and nothing written
    packs.currentPack = 2;
    loadProfilePack();
    EXPECT_EQ(packs.currentPack, 1);
    EXPECT_FALSE(saveProfilePack());
}

TEST_F(ProfileTest, ANewProfileIsSortedInAndWrittenWithItsStartingPack) {
    folder.write("bob.alp", "lvlpckother\r\n");
    folder.write("dan.alp", "lvlpckother\r\n");
    listProfiles();
    packs.currentPack = 2;
    createProfile("carl");
    EXPECT_EQ(settings.currentProfile, 2);
    EXPECT_EQ(profileState.profiles[2], "carl");
    EXPECT_EQ(packs.currentPack, 1);
    EXPECT_EQ(folder.read("carl.alp"), "lvlpckalpha\r\n");
    EXPECT_EQ(findProfile("carl"), 2);
    EXPECT_EQ(findProfile("Carl"), 0);  // names are compared exactly

    // With the game's own first pack there, a new player starts in it even
    // when another pack sorts before it.
    folder.write("lvlpckzindrop/001.zdl", "");
    listLevelPacks();  // alpha, other, zindrop
    createProfile("eve");
    EXPECT_EQ(currentPackName(), "lvlpckzindrop");
    EXPECT_EQ(folder.read("eve.alp"), "lvlpckzindrop\r\n");
}

TEST_F(ProfileTest, DeletingRemovesTheProfileAndItsStatisticsInEveryPack) {
    for (const char* name : {"ann.alp", "bob.alp", "lvlpckalpha/bob.sts", "lvlpckother/bob.sts",
                             "lvlpckother/ann.sts"})
        folder.write(name, "x");
    listProfiles();
    settings.currentProfile = 2;
    deleteProfile();
    EXPECT_FALSE(fileExists(folder.path() + "bob.alp"));
    EXPECT_FALSE(fileExists(folder.path() + "lvlpckalpha/bob.sts"));
    EXPECT_FALSE(fileExists(folder.path() + "lvlpckother/bob.sts"));
    EXPECT_TRUE(fileExists(folder.path() + "lvlpckother/ann.sts"));
    EXPECT_EQ(settings.currentProfile, 1);

    settings.currentProfile = 0;  // nobody chosen: nothing goes
    deleteProfile();
    EXPECT_EQ(profileState.profiles.count(), 1);
    EXPECT_TRUE(fileExists(folder.path() + "ann.alp"));
}

}  // namespace
