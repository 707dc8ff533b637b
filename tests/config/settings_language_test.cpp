#include <gtest/gtest.h>

#include "base/bytes.h"
#include "config/language.h"
#include "config/paths.h"
#include "config/settings.h"
#include "gfx/display.h"
#include "support/headless_game.h"

namespace {
std::string settingsBytes(std::int32_t profile, const std::string& name, std::int32_t full,
                          std::int32_t w, std::int32_t h, std::int32_t fx, std::int32_t music,
                          std::int32_t voices) {
    ByteWriter out;
    out.i32(profile);
    out.lengthPrefixed(name);
    out.i32(full);
    out.i32(w);
    out.i32(h);
    out.i32(fx);
    out.i32(music);
    out.i32(voices);
    return std::string(out.bytes().begin(), out.bytes().end());
}
}  // namespace

class SettingsTest : public HeadlessGameTest {};

TEST_F(SettingsTest, MissingFileGivesDefaultsAndFirstStart) {
    loadSettings();
    EXPECT_TRUE(settings.firstStart);
    EXPECT_EQ(settings.languageFile, "english.str");
    EXPECT_EQ(settings.chosenWidth, 800);
    EXPECT_EQ(settings.soundEffectsOn, -1);
    useChosenMode();
    EXPECT_EQ(display.screenWidth, 800);
    EXPECT_EQ(display.screenHeight, 600);
}

TEST_F(SettingsTest, RoundTripIsByteForByte) {
    const std::string bytes = settingsBytes(3, "deutsch.str", 1, 1024, 768, 0, -1, 0);
    EXPECT_EQ(bytes.size(), 32u + 11u);
    folder.write("settings.dat", bytes);
    loadSettings();
    EXPECT_FALSE(settings.firstStart);
    EXPECT_EQ(settings.currentProfile, 3);
    EXPECT_EQ(settings.languageFile, "deutsch.str");
    useChosenMode();
    EXPECT_EQ(display.fullScreen, 1);
    EXPECT_EQ(display.screenWidth, 1024);
    EXPECT_EQ(settings.soundEffectsOn, 0);
    EXPECT_EQ(settings.voicesOn, 0);
    ASSERT_TRUE(saveSettings());
    EXPECT_EQ(folder.read("settings.dat"), bytes);
}

TEST_F(SettingsTest, EmptyLanguageNameReadsBackEmpty) {
    folder.write("settings.dat", settingsBytes(0, "", 0, 640, 480, -1, -1, -1));
    loadSettings();
    EXPECT_EQ(settings.languageFile, "");
    EXPECT_EQ(settings.chosenWidth, 640);
}

TEST_F(SettingsTest, DamagedFilesKeepDefaultsForWhatTheyCannotSupply) {
    const std::string good = settingsBytes(2, "x.str", 1, 1024, 768, 0, 0, 0);
    // Every cut point: the fields before the cut are taken, the rest default.
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        folder.write("settings.dat", good.substr(0, cut));
        loadSettings();
        EXPECT_EQ(settings.currentProfile, cut >= 4 ? 2 : 0) << cut;
        EXPECT_EQ(settings.voicesOn, -1) << cut;
    }
    // A negative or huge name length keeps the default name and later fields.
    for (std::int32_t badLength : {-1, 0x7fffffff, MaxLanguageNameLength + 1}) {
        ByteWriter out;
        out.i32(1);
        out.i32(badLength);
        out.i32(1);
        folder.write("settings.dat", out.bytes());
        loadSettings();
        EXPECT_EQ(settings.currentProfile, 1);
        EXPECT_EQ(settings.languageFile, "english.str");
        EXPECT_EQ(settings.chosenWidth, 800);
    }
}

TEST(Language, QuotesAreStrippedOnceAtEachEnd) {
    List<std::string> table;
    parseLanguage("\"Hello\"\nHello\n\"\n\"a \"b\" c\"\n\"\"x\"\"\r\nlast", table);
    ASSERT_EQ(table.count(), StringCount);
    EXPECT_EQ(table[1], "Hello");
    EXPECT_EQ(table[2], "Hello");
    EXPECT_EQ(table[3], "");
    EXPECT_EQ(table[4], "a \"b\" c");
    EXPECT_EQ(table[5], "\"x\"");
    EXPECT_EQ(table[6], "last");
    EXPECT_EQ(table[7], "");
    EXPECT_EQ(table[StringCount], "");
}

TEST(Language, CrLfAndLfBothEndLinesAndExtraLinesAreIgnored) {
    std::string text;
    for (int i = 1; i <= 240; ++i) text += "line" + std::to_string(i) + (i % 2 ? "\r\n" : "\n");
    List<std::string> table;
    parseLanguage(text, table);
    EXPECT_EQ(table.count(), StringCount);
    EXPECT_EQ(table[1], "line1");
    EXPECT_EQ(table[2], "line2");
    EXPECT_EQ(table[238], "line238");
}

class LanguageFilesTest : public HeadlessGameTest {};

TEST_F(LanguageFilesTest, ListsFilesOnlyAndFallsBackToTheFirst) {
    folder.write("zulu.str", "Z\n");
    folder.write("alpha.str", "A\n");
    folder.write("notes.txt", "x");
    folder.write("folder.str/inner", "x");
    listLanguageFiles();
    ASSERT_EQ(language.languageFiles.count(), 2);
    EXPECT_EQ(language.languageFiles[1], "alpha.str");
    settings.languageFile = "gone.str";
    chooseStartLanguage();
    EXPECT_EQ(settings.languageFile, "alpha.str");
    settings.languageFile = "zulu.str";
    chooseStartLanguage();
    EXPECT_EQ(settings.languageFile, "zulu.str");
    ASSERT_TRUE(loadLanguage("zulu.str"));
    EXPECT_EQ(str(1), "Z");
    EXPECT_EQ(str(0), "");
    EXPECT_EQ(str(239), "");
}
