#include <gtest/gtest.h>

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

TEST(TextScreen, GridStartsAtTheRowInThePaletteColour) {
    const auto pixels = renderTextScreen(9, {{12, "E"}, {7, ""}, {15, "  |"}});
    auto lit = [&](int column, int row, std::uint32_t rgb) {
        for (int y = 0; y < TextCell; ++y)
            for (int x = 0; x < TextCell; ++x)
                if (pixels[static_cast<std::size_t>((row * TextCell + y) * 320 + column * TextCell + x)] == rgb)
                    return true;
        return false;
    };
    EXPECT_EQ(pixels.size(), 320u * 200u);
    EXPECT_TRUE(lit(0, 8, 0xFF5555));    // "E" on row 9 in light red
    EXPECT_FALSE(lit(0, 7, 0xFF5555));
    EXPECT_TRUE(lit(2, 10, 0xFFFFFF));   // "|" two columns in, row 11, bright white
    EXPECT_FALSE(lit(0, 10, 0xFFFFFF));  // spaces draw nothing
}
