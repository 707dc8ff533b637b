// Checks every language file the game ships (data/*.str). The menus, dialogs
// and panels rely on more than the count of lines: labels must end with ":",
// lines the selection must pass over must be labels or hold "_", texts drawn
// with the tile font may only use the glyphs it has, texts joined to numbers
// and names need their blanks, and everything must fit where it is drawn.
// The tables below say where each string is shown and next to what.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/language.h"
#include "config/paths.h"
#include "platform/files.h"

namespace {

const std::string dataFolder = std::string(ZD_SOURCE_DIR) + "/data/";

struct LanguageFile {
    std::string name;        // file name, e.g. "english.str"
    std::string bytes;       // the raw file
    List<std::string> text;  // the 238 strings as the game reads them
};

std::vector<LanguageFile> shippedLanguages() {
    std::vector<LanguageFile> files;
    for (const std::string& name : listFolder(dataFolder, "*.str", EntryKind::Files)) {
        LanguageFile file;
        file.name = name;
        EXPECT_TRUE(readTextFile(dataFolder + name, file.bytes)) << name;
        parseLanguage(file.bytes, file.text);
        files.push_back(file);
    }
    return files;
}

// ---------------------------------------------------------------------------
// Texts as the game builds them: "{n}" is string n; "<...>" stands for data
// the program puts in, at its longest; anything else is a literal of the code.

const std::map<std::string, std::string> sampleData = {
    {"<name>", "Abcdefg"},      // a profile name: at most 7 characters
    {"<score>", "9999999"},     // scores and records
    {"<level>", "999"},         // level numbers and counts: at most 999 levels
    {"<one>", "1"},             // the flag count that takes the singular text
    {"<texture>", "grndstone"}, // a picture's name in a level file
    {"<folder>", "txtpckstandard"},  // a texture pack's folder
};

struct Piece {
    bool fromTable;  // a language string (as opposed to data or a literal)
    bool isData;     // a name or number the program puts in
    std::string text;  // what is drawn
};

std::vector<Piece> pieces(const LanguageFile& file, const std::string& pattern) {
    std::vector<Piece> out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] == '{') {
            const std::size_t close = pattern.find('}', i);
            out.push_back({true, false, file.text[std::stoi(pattern.substr(i + 1, close - i - 1))]});
            i = close + 1;
        } else if (pattern[i] == '<') {
            const std::size_t close = pattern.find('>', i);
            out.push_back({false, true, sampleData.at(pattern.substr(i, close - i + 1))});
            i = close + 1;
        } else {
            const std::size_t next = pattern.find_first_of("{<", i);
            const std::size_t end = next == std::string::npos ? pattern.size() : next;
            out.push_back({false, false, pattern.substr(i, end - i)});
            i = end;
        }
    }
    return out;
}

std::string build(const LanguageFile& file, const std::string& pattern) {
    std::string text;
    for (const Piece& piece : pieces(file, pattern)) text += piece.text;
    return text;
}

// ---------------------------------------------------------------------------
// Menu items, screen by screen, with what the menu engine needs of each:
// a Label ends with ":" (drawn white, never selected); a Line is skipped by
// the selection (a label or a text holding "_"); a Pick is an item the
// screen acts on, or the one its selection comes to rest on, so it must be
// selectable. Free items only have to be drawable and fit. Where a screen
// shows one of several texts in a place, each alternative is listed.

enum class Need { Label, Line, Pick, Free };

struct MenuItem {
    int screen;
    const char* pattern;
    Need need;
};

const std::vector<MenuItem> menuItems = {
    {1, "{101}", Need::Pick}, {1, "{102}", Need::Pick}, {1, "{103}", Need::Pick},
    {1, "{104}", Need::Pick}, {1, "{105}", Need::Pick},
    {2, "{150}", Need::Label}, {2, "{151}", Need::Pick}, {2, "{152}", Need::Pick},
    {2, "{153}", Need::Pick}, {2, "{110}", Need::Pick},
    {3, "{169}", Need::Label},
    {4, "{160}", Need::Label}, {4, "{161}", Need::Pick}, {4, "{162}", Need::Pick},
    {4, "{163}", Need::Label},
    {5, "{154}", Need::Label}, {5, "{155}{158}", Need::Pick}, {5, "{155}{159}", Need::Pick},
    {5, "{156}{158}", Need::Pick}, {5, "{156}{159}", Need::Pick},
    {5, "{157}{158}", Need::Pick}, {5, "{157}{159}", Need::Pick},
    {6, "{106}", Need::Label}, {6, "{107}", Need::Pick}, {6, "{108}", Need::Pick},
    {6, "{109}", Need::Pick},
    {7, "{111}", Need::Line}, {7, "{112}", Need::Pick}, {7, "{113}", Need::Pick},
    // Item 6 of the pages 8 to 10 (the others are "_"): their selection comes to rest there.
    {8, "{110}", Need::Pick},
    {11, "{145}", Need::Line}, {11, "{146}", Need::Line}, {11, "{147}", Need::Line},
    {11, "{148}", Need::Pick}, {11, "{149}", Need::Pick},
    {12, "{164}", Need::Free}, {12, "{165}", Need::Free}, {12, "{166}", Need::Free},
    {12, "{167}", Need::Free}, {12, "{168}", Need::Pick},
    {13, "{170}", Need::Label}, {13, "{171}", Need::Pick}, {13, "{172}", Need::Pick},
    {14, "{173}<level>:", Need::Label}, {14, "{174}", Need::Pick}, {14, "{175}", Need::Pick},
    {14, "{176}", Need::Pick}, {14, "{177}", Need::Pick}, {14, "{178}", Need::Pick},
    {14, "{179}", Need::Pick},
    {15, "{180}", Need::Label},
    {16, "{181}", Need::Label}, {16, "{182}", Need::Pick}, {16, "{183}<name>", Need::Pick},
    {16, "{184}", Need::Pick}, {16, "{185}", Need::Pick}, {16, "{186}", Need::Pick},
    {16, "{187}", Need::Pick},
    {17, "{188}<name>_", Need::Line}, {17, "{189}", Need::Free}, {17, "{190}", Need::Free},
    {17, "{191}<score>", Need::Pick},
    {18, "{192}", Need::Free}, {18, "{193}", Need::Free}, {18, "{194}", Need::Pick},
    {19, "{195}", Need::Line}, {19, "{196}", Need::Line}, {19, "{197}", Need::Line},
    {19, "{198}", Need::Pick}, {19, "{199}", Need::Pick},
    {20, "{200}<name>_", Need::Line}, {20, "{201}", Need::Free}, {20, "{202}", Need::Free},
    {20, "{203}<score>", Need::Pick},
    {22, "{204}", Need::Free}, {22, "{205}", Need::Free}, {22, "{206}", Need::Free},
    {22, "{207}", Need::Free},
    {23, "{208}", Need::Free}, {23, "{209}", Need::Free}, {23, "{210}", Need::Free},
    {24, "{211}", Need::Free}, {24, "{212}", Need::Free},
    // The only item that is not "_": if it could not be selected, the skip
    // rule would circle the three items for ever.
    {25, "{213}", Need::Pick},
    {26, "{214}", Need::Line}, {26, "{215}", Need::Line}, {26, "{216}<name>:_", Need::Line},
    {26, "{217}", Need::Pick}, {26, "{218}", Need::Pick},
    {27, "{219}<name>", Need::Free}, {27, "{220}", Need::Free}, {27, "{221}", Need::Free},
    {27, "{222}", Need::Free}, {27, "{223}", Need::Free}, {27, "{224}", Need::Free},
    {27, "{225}<level>{226}", Need::Free}, {27, "{227}", Need::Free},
};

bool isLabel(const std::string& item) { return !item.empty() && item.back() == ':'; }
bool isSelectable(const std::string& item) {
    return !isLabel(item) && item.find('_') == std::string::npos;
}

// Tile-font texts of play: the score counter and the floating messages.
const std::vector<const char*> playTexts = {
    "{90}<score>", "{91}", "{92}", "{93}", "{94}", "{95}", "{96}",
    "{97}<score>", "{98}", "<one>{99}", "<level>{100}",
};

// Menu lines scale with the window's height and are centred across its
// width, so the narrowest window shape in use, 5:4 (1280 x 1024), leaves the
// least room: 768 x 5 / 4 = 960 design pixels for glyphs 47 wide, 40 apart.
const int menuLineChars = static_cast<int>((768.0 * 5 / 4 - 47) / 40) + 1;
// Play texts scale with the width: 1024 design pixels, glyphs 47 wide and 35
// apart, starting 10 pixels in (the score counter's place).
const int playTextChars = static_cast<int>((1024.0 - 10 - 47) / 35) + 1;

// The tile font has pictures of digits, letters a to z and the colon; a space
// or "_" takes a place and draws nothing. Anything else would show as a gap.
bool tileFontCanDraw(const std::string& text) {
    for (unsigned char c : text)
        if (!std::isalnum(c) && c != ':' && c != ' ' && c != '_') return false;
    return true;
}

// ---------------------------------------------------------------------------
// Bitmap-font texts and the room they have, in pixels, as the overlays draw
// them at a fixed size on a window of at least 640 x 480.

struct BitmapText {
    std::string pattern;
    int room;
};

constexpr int editorHintRoom = 354;     // panel 374 wide, hint 10 in
constexpr int dialogLineRoom = 344;     // dialog 374 wide, lines 15 in
constexpr int dialogButtonRoom = 117;   // caption from 123 to the button's end at 240
constexpr int screenTextRoom = 620;     // centred on the narrowest window, 640
constexpr int missingNameRoom = 134;    // picture name from 153 to the preview at 287
constexpr int packFilterRoom = 78;      // texture-pack name from 179 to the End button at 257
constexpr int editorTitleRoom = 103;    // 311 (close box) - 8 - 200 for the pack name
constexpr int levelCounterRoom = 143;   // from 10 to the picture name at 153

std::vector<BitmapText> bitmapTexts() {
    std::vector<BitmapText> texts;
    auto add = [&](int first, int last, int room) {
        for (int n = first; n <= last; ++n) texts.push_back({"{" + std::to_string(n) + "}", room});
    };
    // The default hint follows the arrow glyphs left, up-down and right.
    texts.push_back({"\x1B\x12\x1A{4}", editorHintRoom});
    add(5, 47, editorHintRoom);
    add(48, 50, dialogLineRoom);
    add(51, 53, dialogButtonRoom);
    add(54, 83, dialogLineRoom);
    texts.push_back({"{85}", dialogLineRoom});
    texts.push_back({"<texture>{86}<folder>", dialogLineRoom});
    texts.push_back({"{3}", missingNameRoom});
    texts.push_back({"{87}", screenTextRoom});
    texts.push_back({"{88}", editorTitleRoom});
    texts.push_back({"{89}<level> / <level>", levelCounterRoom});
    add(107, 109, screenTextRoom);
    add(114, 129, screenTextRoom);
    add(131, 144, screenTextRoom);
    texts.push_back({"{228}", screenTextRoom});
    texts.push_back({"{229}<name> - <score>", screenTextRoom});
    texts.push_back({"{230}<name> - <score>", screenTextRoom});
    texts.push_back({"{231}<level>", screenTextRoom});
    texts.push_back({"{232}<level>", screenTextRoom});
    texts.push_back({"{233}<name> - <score>", screenTextRoom});
    texts.push_back({"{234}<name> - <score>", screenTextRoom});
    add(235, 236, screenTextRoom);
    texts.push_back({"{237}<level>{238}", screenTextRoom});
    return texts;
}

// The glyph advance widths of the bitmap font, from its metrics file: 256
// records of 16 bytes, the width first; character 160 is always 16 wide and
// every glyph is followed by 2 pixels of spacing.
bool loadGlyphWidths(std::vector<int>& widths) {
    std::string metrics;
    if (!readTextFile(dataFolder + "standard.dat", metrics) || metrics.size() < 4096) return false;
    widths.assign(256, 0);
    for (int c = 0; c < 256; ++c) {
        std::uint32_t w = 0;
        for (int b = 3; b >= 0; --b)
            w = (w << 8) | static_cast<unsigned char>(metrics[static_cast<std::size_t>(c * 16 + b)]);
        widths[static_cast<std::size_t>(c)] = static_cast<std::int32_t>(w);
    }
    widths[160] = 16;
    return true;
}

int textWidth(const std::vector<int>& widths, const std::string& text) {
    int width = 0;
    for (unsigned char c : text) width += widths[c] + 2;
    return width;
}

// True when the text has bytes above 127 and all of them form valid UTF-8
// sequences: a file saved as UTF-8 by mistake. (Its bytes are all defined in
// Windows-1252 too, but the game would show "Ã¤" for "ä".) Real Windows-1252
// text practically never reads as valid UTF-8.
int utf8FollowBytes(unsigned char lead) {
    if (lead < 0x80) return 0;
    if ((lead & 0xE0) == 0xC0) return 1;
    if ((lead & 0xF0) == 0xE0) return 2;
    if ((lead & 0xF8) == 0xF0) return 3;
    return -1;
}

bool looksLikeUtf8(const std::string& text) {
    bool multiByte = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const int follow = utf8FollowBytes(static_cast<unsigned char>(text[i]));
        if (follow < 0) return false;
        for (int k = 0; k < follow; ++k) {
            ++i;
            if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return false;
        }
        multiByte = multiByte || follow > 0;
        ++i;
    }
    return multiByte;
}

// Multi-line pages may hold empty lines; every other string must say something.
bool mayBeEmpty(int n) { return (n >= 119 && n <= 129) || (n >= 131 && n <= 144); }

}  // namespace

TEST(LanguageFiles, AreWholeWindows1252TablesWithTheirOwnCompanionExtension) {
    const std::vector<LanguageFile> files = shippedLanguages();
    std::set<std::string> names;
    for (const LanguageFile& file : files) names.insert(file.name);
    // The default language of a first start, and the translation beside it.
    EXPECT_TRUE(names.count("english.str"));
    EXPECT_TRUE(names.count("deutsch.str"));

    std::map<std::string, std::string> extensions;  // lower-cased string 84 -> file
    std::map<std::string, std::string> pages;       // string 130 -> file
    for (const LanguageFile& file : files) {
        SCOPED_TRACE(file.name);
        const std::string& bytes = file.bytes;
        EXPECT_FALSE(looksLikeUtf8(bytes)) << "saved as UTF-8, not Windows-1252";

        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string::npos) end = bytes.size();
            lines.push_back(bytes.substr(start, end - start));
            start = end + 1;
        }
        EXPECT_EQ(lines.size(), 238u);

        // One kind of line end throughout: all CR LF or all LF.
        bool crlf = !lines.empty() && !lines[0].empty() && lines[0].back() == '\r';
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::string& line = lines[i];
            const bool hasCr = !line.empty() && line.back() == '\r';
            EXPECT_EQ(hasCr, crlf) << "line " << i + 1 << " ends differently";
            if (hasCr) line.pop_back();
        }

        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            for (unsigned char c : line) {
                // Windows-1252 leaves 0x81, 0x8D, 0x8F, 0x90 and 0x9D undefined.
                const bool undefined = c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
                EXPECT_FALSE(c < 0x20 || c == 0x7F || undefined)
                    << "line " << i + 1 << " holds byte " << static_cast<int>(c);
            }
            // Blanks at either end are kept only inside quotes: bare ones are
            // invisible and get lost in editors.
            if (!line.empty()) {
                EXPECT_NE(line.front(), ' ') << "line " << i + 1 << " needs quotes";
                EXPECT_NE(line.back(), ' ') << "line " << i + 1 << " needs quotes";
            }
        }

        for (int n = 1; n <= StringCount; ++n)
            if (!mayBeEmpty(n)) EXPECT_FALSE(file.text[n].empty()) << "string " << n;

        EXPECT_NE(file.text[1].find("Zindrop 7"), std::string::npos) << "window title";

        // Companion texts are "001." + string 84: three letters of its own,
        // never the level files' own extension.
        std::string extension = file.text[84];
        ASSERT_EQ(extension.size(), 3u);
        for (char& c : extension) {
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(c))) << extension;
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_NE(extension, "zdl");
        EXPECT_TRUE(extensions.emplace(extension, file.name).second)
            << "extension " << extension << " is also used by " << extensions[extension];

        // The "all packs" entry loses its first six characters where the
        // editor shows texture-pack names (they drop the "txtpck" prefix).
        const std::string& allPacks = file.text[2];
        ASSERT_GT(allPacks.size(), 6u);
        EXPECT_EQ(allPacks.substr(0, 6), "      ");
        EXPECT_NE(allPacks[6], ' ');

        // The link names the page of the level packs that the build writes
        // beside the program, one page per language.
        EXPECT_TRUE(isPageName(file.text[130])) << file.text[130];
        EXPECT_TRUE(pages.emplace(file.text[130], file.name).second)
            << "page " << file.text[130] << " is also named by " << pages[file.text[130]];
    }
}

TEST(LanguageFiles, MenuItemsAreLabelsLinesOrChoicesWhereTheScreensNeedThem) {
    for (const LanguageFile& file : shippedLanguages()) {
        SCOPED_TRACE(file.name);
        for (const MenuItem& entry : menuItems) {
            const std::string item = build(file, entry.pattern);
            SCOPED_TRACE("screen " + std::to_string(entry.screen) + " " + entry.pattern + ": \"" +
                         item + "\"");
            switch (entry.need) {
                case Need::Label: EXPECT_TRUE(isLabel(item)); break;
                case Need::Line: EXPECT_FALSE(isSelectable(item)); break;
                case Need::Pick: EXPECT_TRUE(isSelectable(item)); break;
                case Need::Free: break;
            }
        }
    }
}

TEST(LanguageFiles, TileFontTextsUseItsGlyphsAndFitTheScreen) {
    for (const LanguageFile& file : shippedLanguages()) {
        SCOPED_TRACE(file.name);
        for (const MenuItem& entry : menuItems) {
            const std::string item = build(file, entry.pattern);
            EXPECT_TRUE(tileFontCanDraw(item)) << entry.pattern << ": \"" << item << "\"";
            EXPECT_LE(static_cast<int>(item.size()), menuLineChars)
                << entry.pattern << ": \"" << item << "\"";
        }
        for (const char* pattern : playTexts) {
            const std::string text = build(file, pattern);
            EXPECT_TRUE(tileFontCanDraw(text)) << pattern << ": \"" << text << "\"";
            EXPECT_LE(static_cast<int>(text.size()), playTextChars) << pattern;
        }
        // The language menu shows each file name less "str" with the tile font.
        const std::string shown = file.name.substr(0, file.name.size() - 3);
        EXPECT_TRUE(tileFontCanDraw(shown.substr(0, shown.size() - 1))) << shown;
        EXPECT_LE(static_cast<int>(shown.size()), menuLineChars);
    }
}

TEST(LanguageFiles, TextsJoinedToNumbersAndNamesKeepABlankBetween) {
    std::vector<std::string> patterns;
    for (const MenuItem& entry : menuItems) patterns.push_back(entry.pattern);
    for (const char* pattern : playTexts) patterns.push_back(pattern);
    for (const BitmapText& text : bitmapTexts()) patterns.push_back(text.pattern);

    for (const LanguageFile& file : shippedLanguages()) {
        SCOPED_TRACE(file.name);
        for (const std::string& pattern : patterns) {
            const std::vector<Piece> parts = pieces(file, pattern);
            for (std::size_t i = 1; i < parts.size(); ++i) {
                const Piece& left = parts[i - 1];
                const Piece& right = parts[i];
                // Only joins of a language string with data or another string:
                // the code's own literals (":", " - ") bring their spacing.
                const bool join = (left.fromTable || right.fromTable) &&
                                  (left.fromTable || left.isData) &&
                                  (right.fromTable || right.isData);
                if (!join || left.text.empty() || right.text.empty()) continue;
                const bool blank = left.text.back() == ' ' || left.text.back() == '_' ||
                                   right.text.front() == ' ';
                EXPECT_TRUE(blank) << pattern << " joins \"" << left.text << "\" and \""
                                   << right.text << "\"";
            }
        }

        // Question dialogs answer by the first letters of their two buttons.
        auto initial = [&](int n) {
            const std::string& caption = file.text[n];
            const std::size_t first = caption.find_first_not_of(' ');
            return first == std::string::npos
                       ? 0
                       : std::tolower(static_cast<unsigned char>(caption[first]));
        };
        EXPECT_NE(initial(51), initial(52)) << file.text[51] << " / " << file.text[52];
    }
}

TEST(LanguageFiles, BitmapFontTextsFitTheirBoxes) {
    std::vector<int> widths;
    if (!loadGlyphWidths(widths)) GTEST_SKIP() << "no font metrics in data/ yet";

    for (const LanguageFile& file : shippedLanguages()) {
        SCOPED_TRACE(file.name);
        std::vector<BitmapText> texts = bitmapTexts();
        for (const BitmapText& entry : texts) {
            const std::string text = build(file, entry.pattern);
            EXPECT_LE(textWidth(widths, text), entry.room) << entry.pattern << ": \"" << text << "\"";
            // A character the font has no glyph for would vanish.
            for (unsigned char c : text)
                EXPECT_GT(widths[c], 0) << entry.pattern << " uses character " << static_cast<int>(c);
        }
        EXPECT_LE(textWidth(widths, file.text[2].substr(6)), packFilterRoom) << file.text[2];
    }
}
