#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "base/encoding.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/sdl_keymap.h"
#include "platform/text_screen.h"
#include "support/temp_folder.h"

TEST(SdlKeymap, SpecialKeysWithModifiers) {
    EXPECT_EQ(keyStringForKeyDown(SDLK_UP, KMOD_NONE), KeyUp);
    EXPECT_EQ(keyStringForKeyDown(SDLK_PAGEUP, KMOD_LCTRL), KeyCtrlPgUp);
    EXPECT_EQ(keyStringForKeyDown(SDLK_PAGEDOWN, KMOD_RCTRL), KeyCtrlPgDn);
    EXPECT_EQ(keyStringForKeyDown(SDLK_PAGEUP, KMOD_LALT), KeyAltPgUp);
    EXPECT_EQ(keyStringForKeyDown(SDLK_DELETE, KMOD_LCTRL), KeyCtrlDel);
    EXPECT_EQ(keyStringForKeyDown(SDLK_DELETE, KMOD_LALT), KeyAltDel);
    EXPECT_EQ(keyStringForKeyDown(SDLK_LEFT, KMOD_LALT), KeyAltLeft);
    EXPECT_EQ(keyStringForKeyDown(SDLK_F2, KMOD_NONE), KeyF2);
    EXPECT_EQ(keyStringForKeyDown(SDLK_F7, KMOD_NONE), KeyF7);
    EXPECT_EQ(keyStringForKeyDown(SDLK_F12, KMOD_NONE), functionKey(12));
    EXPECT_EQ(keyStringForKeyDown(SDLK_F4, KMOD_LALT), KeyClose);
    EXPECT_TRUE(isSpecialKey(KeyHome));
}

TEST(SdlKeymap, ControlAndAltLettersAndPlainKeys) {
    EXPECT_EQ(keyStringForKeyDown(SDLK_n, KMOD_LCTRL), KeyCtrlN);
    EXPECT_EQ(keyStringForKeyDown(SDLK_s, KMOD_LALT), KeyAltS);
    EXPECT_EQ(keyStringForKeyDown(SDLK_b, KMOD_LALT), KeyAltB);
    EXPECT_EQ(keyStringForKeyDown(SDLK_RETURN, KMOD_NONE), "\r");
    EXPECT_EQ(keyStringForKeyDown(SDLK_ESCAPE, KMOD_NONE), "\x1b");
    EXPECT_EQ(keyStringForKeyDown(SDLK_BACKSPACE, KMOD_NONE), "\b");
    EXPECT_EQ(keyStringForKeyDown(SDLK_TAB, KMOD_NONE), "\t");
    // Printable keys come through the text event, not the key press.
    EXPECT_EQ(keyStringForKeyDown(SDLK_a, KMOD_NONE), "");
    EXPECT_EQ(keyStringForKeyDown(SDLK_SPACE, KMOD_NONE), "");
}

TEST(SdlKeymap, TextIsWindows1252AndSilentUnderCtrlOrAlt) {
    EXPECT_EQ(textForTextInput("a", KMOD_NONE), "a");
    EXPECT_EQ(textForTextInput(" ", KMOD_NONE), " ");
    EXPECT_EQ(textForTextInput("\xc3\xa4", KMOD_NONE), "\xe4");      // a umlaut
    EXPECT_EQ(textForTextInput("\xe2\x82\xac", KMOD_NONE), "\x80");  // euro sign
    EXPECT_EQ(textForTextInput("\xe2\x86\x92", KMOD_NONE), "");      // not in the code page
    EXPECT_EQ(textForTextInput("s", KMOD_LALT), "");
    EXPECT_EQ(textForTextInput("@", KMOD_RALT), "@");  // AltGr types characters
}

TEST(SdlKeymap, HeldKeysMapToSet1Codes) {
    EXPECT_EQ(sdlScancodeOfSet1(ScanUp), SDL_SCANCODE_UP);
    EXPECT_EQ(sdlScancodeOfSet1(ScanDown), SDL_SCANCODE_DOWN);
    EXPECT_EQ(sdlScancodeOfSet1(ScanLeft), SDL_SCANCODE_LEFT);
    EXPECT_EQ(sdlScancodeOfSet1(ScanRight), SDL_SCANCODE_RIGHT);
    EXPECT_EQ(sdlScancodeOfSet1(ScanSpace), SDL_SCANCODE_SPACE);
    EXPECT_EQ(sdlScancodeOfSet1(ScanMinus), SDL_SCANCODE_MINUS);
    EXPECT_EQ(sdlScancodeOfSet1(ScanEnter), SDL_SCANCODE_RETURN);
    EXPECT_EQ(sdlScancodeOfSet1(ScanLeftShift), SDL_SCANCODE_LSHIFT);
    EXPECT_EQ(sdlScancodeOfSet1(ScanRightShift), SDL_SCANCODE_RSHIFT);
    EXPECT_EQ(sdlScancodeOfSet1(999), SDL_SCANCODE_UNKNOWN);
}

TEST(Encoding, RoundTripsTheWholeCodePage) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        if (c < 0x80 || c > 0x9F || (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D))
            all += static_cast<char>(c);
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(utf8ToWindows1252("a\xc3"), "a");  // cut sequence dropped
}

TEST(Files, WildcardListingIsCaseInsensitiveAndSorted) {
    TempFolder folder;
    folder.write("b.STR", "");
    folder.write("A.str", "");
    folder.write("c.str.bak", "");
    folder.write("txtpckOne/x", "");
    folder.write("TXTPCKtwo/x", "");
    const auto files = listFolder(folder.path(), "*.str", EntryKind::Files);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], "A.str");
    EXPECT_EQ(files[1], "b.STR");
    const auto packs = listFolder(folder.path(), "txtpck*", EntryKind::Folders);
    ASSERT_EQ(packs.size(), 2u);
    EXPECT_EQ(packs[0], "txtpckOne");
    EXPECT_TRUE(wildcardMatch("*00.png", "ballcc00.png"));
    EXPECT_FALSE(wildcardMatch("*00.png", "ballcc01.png"));
    EXPECT_TRUE(wildcardMatch("a?c", "abc"));
}

TEST(Files, SafeWriteNeverLeavesAHalfFile) {
    TempFolder folder;
    folder.write("keep.dat", "old");
    EXPECT_TRUE(writeFileSafely(folder.path() + "keep.dat", std::string("new")));
    EXPECT_EQ(folder.read("keep.dat"), "new");
    EXPECT_FALSE(fileExists(folder.path() + "keep.dat.tmp"));
    // An unwritable target folder fails and reports it.
    EXPECT_FALSE(writeFileSafely(folder.path() + "missing/x.dat", std::string("x")));
    // Rename never replaces an existing file.
    folder.write("a", "a");
    folder.write("b", "b");
    EXPECT_FALSE(renameFile(folder.path() + "a", folder.path() + "b"));
    EXPECT_EQ(folder.read("b"), "b");
}

TEST(TextScreen, TerminalLinesCarryPaletteColours) {
    const std::string out = textScreenForTerminal(3, {{12, "red"}, {15, "white"}});
    EXPECT_EQ(out, "\n\n\x1b[91mred\x1b[0m\n\x1b[97mwhite\x1b[0m\n");
}

TEST(TextScreen, TheWindowTakesTheLargestCellsThatFitTheDesktop) {
    for (const auto& desktop : {std::pair{1024, 768}, std::pair{1920, 1080}, std::pair{3840, 2160},
                                std::pair{1280, 1024}, std::pair{768, 1366}}) {
        const int w = desktop.first, h = desktop.second;
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const TextScreenLayout layout = textScreenLayout(w, h);
        EXPECT_LE(layout.width(), w * 9 / 10);
        EXPECT_LE(layout.height(), h * 4 / 5);
        EXPECT_NEAR(layout.cellWidth * 3.0 / layout.cellHeight, 2.0, 0.1);  // two wide, three high
        EXPECT_EQ(layout.border, layout.cellHeight / 2);
        TextScreenLayout larger;
        larger.cellHeight = layout.cellHeight + 1;
        larger.cellWidth = (larger.cellHeight * 2 + 1) / 3;
        larger.border = larger.cellHeight / 2;
        EXPECT_TRUE(larger.width() > w * 9 / 10 || larger.height() > h * 4 / 5);
    }
    // About three times the height of the old 8-pixel cells on a small desktop.
    EXPECT_EQ(textScreenLayout(1024, 768).cellHeight, 23);
    const TextScreenLayout tiny = textScreenLayout(200, 150);
    EXPECT_EQ(tiny.cellWidth, 6);
    EXPECT_EQ(tiny.cellHeight, 9);
}

TEST(TextScreen, CharactersSitInTheirCellsInShadesOfTheirPaletteColour) {
    for (const TextScreenLayout& layout :
         {textScreenLayout(1024, 768), textScreenLayout(1920, 1080), textScreenLayout(3840, 2160)}) {
        SCOPED_TRACE(std::to_string(layout.cellWidth) + " x " + std::to_string(layout.cellHeight));
        const auto pixels = renderTextScreen(9, {{12, "E"}, {7, ""}, {15, "  |"}, {15, "\x01\xE9 "}}, layout);
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>(layout.width()) * layout.height());
        // The brightest pixel of a cell, and whether every lit one is a shade
        // of `rgb` (the colour scaled towards black, never another hue).
        auto brightest = [&](int column, int row, std::uint32_t rgb, bool& shadesOnly) {
            std::uint32_t best = 0;
            shadesOnly = true;
            for (int y = 0; y < layout.cellHeight; ++y)
                for (int x = 0; x < layout.cellWidth; ++x) {
                    const int py = layout.border + row * layout.cellHeight + y;
                    const int px = layout.border + column * layout.cellWidth + x;
                    const std::uint32_t p = pixels[static_cast<std::size_t>(py) * layout.width() + px];
                    auto sum = [](std::uint32_t c) { return (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16); };
                    if (sum(p) > sum(best)) best = p;
                    const double k = static_cast<double>(p >> 16) / static_cast<double>(rgb >> 16);
                    for (int shift : {0, 8})
                        if (std::abs(static_cast<double>((p >> shift) & 0xFF) - k * ((rgb >> shift) & 0xFF)) > 1.5)
                            shadesOnly = false;
                }
            return best;
        };
        bool shades = false;
        EXPECT_EQ(brightest(0, 8, 0xFF5555, shades), 0xFF5555u);  // "E" on row 9 in light red
        EXPECT_TRUE(shades);
        EXPECT_EQ(brightest(0, 7, 0xFF5555, shades), 0u);
        // "|" two columns in, row 11: a thin stroke, nearly full where it lies.
        EXPECT_GE(brightest(2, 10, 0xFFFFFF, shades) >> 16, 230u);
        EXPECT_TRUE(shades);
        EXPECT_EQ(brightest(0, 10, 0xFFFFFF, shades), 0u);  // spaces draw nothing
        EXPECT_EQ(brightest(0, 11, 0xFFFFFF, shades), 0u);  // nor characters outside plain ASCII
        EXPECT_EQ(brightest(1, 11, 0xFFFFFF, shades), 0u);
        // The border stays black.
        for (int x = 0; x < layout.width(); ++x) EXPECT_EQ(pixels[static_cast<std::size_t>(x)], 0u);
    }
    // Lines below the last row are left out.
    const TextScreenLayout layout = textScreenLayout(1024, 768);
    EXPECT_EQ(renderTextScreen(26, {{15, "A"}}, layout), renderTextScreen(1, {}, layout));
}
