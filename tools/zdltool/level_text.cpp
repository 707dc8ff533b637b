#include "level_text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "level/level.h"
#include "text_syntax.h"

namespace {
const char* const listNames[LevelListCount + 1] = {
    "",          "groundTiles",   "exitsAndTraps", "arrows", "platformMarkers", "platforms",
    "bombsAndFlags", "walls",     "cracks",        "explosions", "spareObjects"};

constexpr double CellSize = 128;
constexpr std::size_t MaxProblems = 30;
// Grids wider or taller than this are written as object lines instead.
constexpr double MaxGridCells = 200;
// Positions beyond this are never put into a grid, so that origin + 128 x
// column stays exact in doubles.
constexpr double MaxGridPosition = 1099511627776.0;  // 2^40

// A character of a grid: one printable ASCII byte; "." and " " are empty
// cells and "|" closes a row.
bool usableCellCharacter(char c) { return c > ' ' && c <= '~' && c != '.' && c != '|'; }

bool isPlainZero(double value) { return value == 0 && !std::signbit(value); }

// ---------------------------------------------------------------- reading

struct LegendEntry {
    std::string packName;
    std::string name;
    double vx = 0;
    int line = 0;
};

struct GridRow {
    std::string cells;  // the raw characters between the bars
    int line = 0;
    int column = 0;     // column of the first cell
};

// One grid or one object line, in text order.
struct Segment {
    int list = 0;
    bool isGrid = false;
    double x = 0;  // grid origin
    double y = 0;
    int line = 0;
    std::vector<GridRow> rows;
    LevelFileObject object;
};

enum class FieldType { Text, Number, Integer };

struct Field {
    const char* keyword;
    FieldType type;
    std::string LevelFileData::*text;
    double LevelFileData::*number;
    std::int32_t LevelFileData::*integer;
};

const Field fields[] = {
    {"title", FieldType::Text, &LevelFileData::levelName, nullptr, nullptr},
    {"music", FieldType::Text, &LevelFileData::musicName, nullptr, nullptr},
    {"timeLimit", FieldType::Number, nullptr, &LevelFileData::timeLimit, nullptr},
    {"zoom", FieldType::Number, nullptr, &LevelFileData::zoom, nullptr},
    {"explodeCount", FieldType::Number, nullptr, &LevelFileData::explodeCount, nullptr},
    {"exitCount", FieldType::Number, nullptr, &LevelFileData::exitCount, nullptr},
    {"bombsCarried", FieldType::Integer, nullptr, nullptr, &LevelFileData::bombsCarried},
    {"sinkScale", FieldType::Number, nullptr, &LevelFileData::sinkScale, nullptr},
    {"jumpState", FieldType::Integer, nullptr, nullptr, &LevelFileData::jumpState},
    {"jumpHeight", FieldType::Number, nullptr, &LevelFileData::jumpHeight, nullptr},
};

struct Record {
    const char* keyword;
    LevelFileObject LevelFileData::*object;
};

const Record records[] = {
    {"background", &LevelFileData::background},
    {"ball", &LevelFileData::ball},
    {"ballShadow", &LevelFileData::ballShadow},
};

bool sameWord(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

int listNumber(const std::string& word) {
    for (int n = 1; n <= LevelListCount; ++n)
        if (sameWord(word, listNames[n])) return n;
    return 0;
}

std::string allListNames() {
    std::string names;
    for (int n = 1; n <= LevelListCount; ++n) names += std::string(n > 1 ? ", " : "") + listNames[n];
    return names;
}

std::string shown(const std::string& word) { return quotedWord(word); }

class TextReader {
public:
    explicit TextReader(std::vector<TextProblem>& found) : problems(found) {}

    void readLine(const std::string& rawLine, int lineNumber);
    void finish(LevelFileData& data);

private:
    void problem(int where, const std::string& message) {
        if (problems.size() < MaxProblems) problems.push_back({where, message});
    }
    bool number(const TextWord& word, double& value, const char* what);
    void statement(const std::vector<TextWord>& words);
    void fieldStatement(const Field& field, const std::vector<TextWord>& words);
    void recordStatement(const Record& record, const std::vector<TextWord>& words);
    void legendStatement(const std::vector<TextWord>& words);
    void gridStatement(const std::vector<TextWord>& words);
    void objectStatement(const std::vector<TextWord>& words);
    bool seenBefore(const std::string& keyword);
    void expandGrid(const Segment& grid, std::vector<LevelFileObject>& list);

    std::vector<TextProblem>& problems;
    int line = 0;
    LevelFileData values;
    std::map<std::string, int> seen;  // lower-cased field keyword -> line
    std::map<char, LegendEntry> legend;
    std::vector<Segment> segments;
    bool inGrid = false;    // rows that follow belong to the last segment
    bool skipRows = false;  // rows that follow belong to a grid line with a mistake
};

void TextReader::readLine(const std::string& rawLine, int lineNumber) {
    line = lineNumber;
    std::string text = rawLine;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const std::size_t first = text.find_first_not_of(" \t");
    if (first != std::string::npos && text[first] == '|') {
        if (skipRows) return;  // their grid line was reported already
        if (!inGrid) {
            problem(line, "a grid row outside a grid (a \"grid LIST X Y\" line must come first)");
            return;
        }
        std::size_t end = text.find_last_not_of(" \t") + 1;
        if (end > first + 1 && text[end - 1] == '|') --end;
        segments.back().rows.push_back({text.substr(first + 1, end - first - 1), line, static_cast<int>(first) + 2});
        return;
    }
    std::vector<TextWord> words;
    std::string error;
    if (!splitLine(text, words, error)) {
        problem(line, error);
        return;
    }
    if (words.empty()) return;  // blank lines and comments may sit inside a grid
    inGrid = false;
    skipRows = false;
    statement(words);
}

bool TextReader::number(const TextWord& word, double& value, const char* what) {
    if (readNumber(word.text, value)) return true;
    problem(line, std::string(what) + " must be a number, not " + shown(word.text));
    return false;
}

bool TextReader::seenBefore(const std::string& keyword) {
    std::string key = keyword;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto found = seen.find(key);
    if (found != seen.end()) {
        problem(line, keyword + " is given twice (first on line " + std::to_string(found->second) + ")");
        return true;
    }
    seen[key] = line;
    return false;
}

void TextReader::statement(const std::vector<TextWord>& words) {
    for (const TextWord& word : words)
        if (word.text.size() > MaxLevelStringLength) {
            problem(line, "column " + std::to_string(word.column) + ": longer than the " +
                              std::to_string(MaxLevelStringLength) + " bytes a level file allows");
            return;
        }
    const std::string& keyword = words[0].text;
    for (const Field& field : fields)
        if (sameWord(keyword, field.keyword)) return fieldStatement(field, words);
    for (const Record& record : records)
        if (sameWord(keyword, record.keyword)) return recordStatement(record, words);
    if (sameWord(keyword, "legend")) return legendStatement(words);
    if (sameWord(keyword, "grid")) return gridStatement(words);
    if (sameWord(keyword, "object")) return objectStatement(words);
    problem(line, "unknown statement " + shown(keyword) +
                      " (expected title, music, timeLimit, zoom, background, ball, ballShadow, "
                      "explodeCount, exitCount, bombsCarried, sinkScale, jumpState, jumpHeight, "
                      "legend, grid or object)");
}

void TextReader::fieldStatement(const Field& field, const std::vector<TextWord>& words) {
    const char* shape = field.type == FieldType::Text ? "a string" : field.type == FieldType::Number ? "a number" : "a whole number";
    if (words.size() != 2) {
        problem(line, std::string(field.keyword) + " takes one value, " + shape +
                          (field.type == FieldType::Text ? " (quote it if it has blanks)" : ""));
        return;
    }
    if (seenBefore(field.keyword)) return;
    const std::string& value = words[1].text;
    if (field.type == FieldType::Text) {
        values.*field.text = value;
    } else if (field.type == FieldType::Number) {
        number(words[1], values.*field.number, field.keyword);
    } else if (!readInt32(value, values.*field.integer)) {
        problem(line, std::string(field.keyword) + " must be a whole number from -2147483648 to 2147483647, not " +
                          shown(value));
    }
}

void TextReader::recordStatement(const Record& record, const std::vector<TextWord>& words) {
    const std::size_t count = words.size();
    if (count != 3 && count != 5 && count != 7) {
        problem(line, std::string(record.keyword) + " takes PACK NAME [X Y [VX VY]]");
        return;
    }
    if (seenBefore(record.keyword)) return;
    LevelFileObject& object = values.*record.object;
    object.packName = words[1].text;
    object.name = words[2].text;
    if (count >= 5 && number(words[3], object.x, "X")) number(words[4], object.y, "Y");
    if (count == 7 && number(words[5], object.vx, "VX")) number(words[6], object.vy, "VY");
}

void TextReader::legendStatement(const std::vector<TextWord>& words) {
    const bool withDirection = words.size() == 6 && sameWord(words[4].text, "dir");
    if (words.size() != 4 && !withDirection) {
        problem(line, "legend takes CHARACTER PACK NAME [dir N]");
        return;
    }
    const std::string& key = words[1].text;
    if (key.size() != 1 || !usableCellCharacter(key[0])) {
        problem(line, "a legend character must be one printable ASCII character other than \".\", \"|\" "
                      "and blank, not " + shown(key));
        return;
    }
    const auto existing = legend.find(key[0]);
    if (existing != legend.end()) {
        problem(line, shown(key) + " is already in the legend (line " + std::to_string(existing->second.line) + ")");
        return;
    }
    LegendEntry entry;
    entry.packName = words[2].text;
    entry.name = words[3].text;
    entry.line = line;
    if (withDirection && !number(words[5], entry.vx, "dir")) return;
    legend[key[0]] = entry;
}

void TextReader::gridStatement(const std::vector<TextWord>& words) {
    skipRows = true;  // until the grid line proves sound
    if (words.size() != 4) {
        problem(line, "grid takes LIST X Y (X Y: the position of the top-left cell)");
        return;
    }
    Segment grid;
    grid.isGrid = true;
    grid.line = line;
    grid.list = listNumber(words[1].text);
    if (grid.list == 0) {
        problem(line, "unknown list " + shown(words[1].text) + " (the lists: " + allListNames() + ")");
        return;
    }
    if (!number(words[2], grid.x, "X") || !number(words[3], grid.y, "Y")) return;
    if (!std::isfinite(grid.x) || !std::isfinite(grid.y)) {
        problem(line, "the grid origin must be finite");
        return;
    }
    segments.push_back(grid);
    inGrid = true;
    skipRows = false;
}

void TextReader::objectStatement(const std::vector<TextWord>& words) {
    if (words.size() != 6 && words.size() != 8) {
        problem(line, "object takes LIST PACK NAME X Y [VX VY]");
        return;
    }
    Segment segment;
    segment.line = line;
    segment.list = listNumber(words[1].text);
    if (segment.list == 0) {
        problem(line, "unknown list " + shown(words[1].text) + " (the lists: " + allListNames() + ")");
        return;
    }
    LevelFileObject& object = segment.object;
    object.packName = words[2].text;
    object.name = words[3].text;
    if (!number(words[4], object.x, "X") || !number(words[5], object.y, "Y")) return;
    if (words.size() == 8 && (!number(words[6], object.vx, "VX") || !number(words[7], object.vy, "VY"))) return;
    segments.push_back(segment);
}

void TextReader::expandGrid(const Segment& grid, std::vector<LevelFileObject>& list) {
    if (grid.rows.empty()) problem(grid.line, "the grid has no rows (each row starts with \"|\")");
    for (std::size_t row = 0; row < grid.rows.size(); ++row) {
        const GridRow& cells = grid.rows[row];
        for (std::size_t column = 0; column < cells.cells.size(); ++column) {
            const char c = cells.cells[column];
            if (c == '.' || c == ' ') continue;
            const auto entry = legend.find(c);
            if (entry == legend.end()) {
                const std::string where = "column " + std::to_string(cells.column + static_cast<int>(column));
                if (usableCellCharacter(c))
                    problem(cells.line, where + ": " + shown(std::string(1, c)) + " is not in the legend");
                else
                    problem(cells.line, where + ": a grid cell must be \".\", a blank or a legend character");
                continue;
            }
            LevelFileObject object;
            object.packName = entry->second.packName;
            object.name = entry->second.name;
            object.vx = entry->second.vx;
            object.x = grid.x + CellSize * static_cast<double>(column);
            object.y = grid.y + CellSize * static_cast<double>(row);
            list.push_back(object);
        }
    }
}

void TextReader::finish(LevelFileData& data) {
    for (const Segment& segment : segments) {
        auto& list = values.lists[segment.list];
        if (segment.isGrid)
            expandGrid(segment, list);
        else
            list.push_back(segment.object);
    }
    for (int n = 1; n <= LevelListCount; ++n)
        if (values.lists[n].size() > static_cast<std::size_t>(MaxLevelListCount))
            problem(line, std::string("the list ") + listNames[n] + " has " + std::to_string(values.lists[n].size()) +
                              " objects; a level file holds at most " + std::to_string(MaxLevelListCount));
    std::stable_sort(problems.begin(), problems.end(),
                     [](const TextProblem& a, const TextProblem& b) { return a.line < b.line; });
    values.version = 7;
    data = values;
}

// ---------------------------------------------------------------- writing

std::string recordLine(const char* keyword, const LevelFileObject& object) {
    std::string out = std::string(keyword) + " " + wordFor(object.packName) + " " + wordFor(object.name);
    const bool moving = !isPlainZero(object.vx) || !isPlainZero(object.vy);
    if (moving || !isPlainZero(object.x) || !isPlainZero(object.y))
        out += " " + numberWord(object.x) + " " + numberWord(object.y);
    if (moving) out += " " + numberWord(object.vx) + " " + numberWord(object.vy);
    return out + "\n";
}

std::string objectLine(int list, const LevelFileObject& object) {
    std::string out = std::string("object ") + listNames[list] + " " + wordFor(object.packName) + " " +
                      wordFor(object.name) + " " + numberWord(object.x) + " " + numberWord(object.y);
    if (!isPlainZero(object.vx) || !isPlainZero(object.vy))
        out += " " + numberWord(object.vx) + " " + numberWord(object.vy);
    return out + "\n";
}

using LegendKey = std::tuple<std::string, std::string, double>;

class TextWriter {
public:
    explicit TextWriter(const LevelFileData& source) : data(source) {}
    std::string write();

private:
    bool onGrid(int list, const LevelFileObject& object) const;
    void assignCharacters();
    char characterOf(const LevelFileObject& object) const;
    std::string grid(int list, std::size_t first, std::size_t end);

    const LevelFileData& data;
    std::map<LegendKey, char> characters;
    std::vector<LegendKey> keyOrder;  // in the order the characters were given out
    std::map<LegendKey, bool> used;
};

// Whether the object can be a grid cell: on the 128 grid, at rest, and with
// a direction code (arrows and markers) that a legend entry can carry.
bool TextWriter::onGrid(int list, const LevelFileObject& object) const {
    for (double position : {object.x, object.y})
        if (std::fabs(position) > MaxGridPosition || std::fmod(position, CellSize) != 0 ||
            (position == 0 && std::signbit(position)))
            return false;
    if (!isPlainZero(object.vy)) return false;
    if (isPlainZero(object.vx)) return true;
    const bool directed = list == ListArrows || list == ListPlatformMarkers;
    return directed && object.vx >= 1 && object.vx <= 5 && object.vx == std::floor(object.vx);
}

// Characters tried for a legend key, best first: arrows and markers show
// their direction, walls a "#", other things the letters of their name.
std::string preferredCharacters(int list, const LevelFileObject& object) {
    std::string wanted;
    const int direction = static_cast<int>(object.vx);
    if (list == ListArrows && direction >= 1) wanted += "^>v<J"[direction - 1];
    if (list == ListPlatformMarkers && direction >= 1) wanted += "NESW"[direction - 1];
    if (list == ListWalls) wanted += '#';
    for (char c : object.name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) continue;
        wanted += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        wanted += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    for (char c = '!'; c <= '~'; ++c) wanted += c;
    return wanted;
}

void TextWriter::assignCharacters() {
    std::string taken;
    for (int list = 1; list <= LevelListCount; ++list)
        for (const LevelFileObject& object : data.lists[list]) {
            if (!onGrid(list, object)) continue;
            const LegendKey key{object.packName, object.name, object.vx};
            if (characters.count(key)) continue;
            for (char c : preferredCharacters(list, object))
                if (usableCellCharacter(c) && taken.find(c) == std::string::npos) {
                    characters[key] = c;
                    keyOrder.push_back(key);
                    taken += c;
                    break;
                }
        }
}

// The object's legend character, or 0 when it has none.
char TextWriter::characterOf(const LevelFileObject& object) const {
    const auto found = characters.find(LegendKey{object.packName, object.name, object.vx});
    return found == characters.end() ? 0 : found->second;
}

std::string TextWriter::grid(int list, std::size_t first, std::size_t end) {
    const auto& objects = data.lists[list];
    double left = objects[first].x;
    double right = left;
    for (std::size_t i = first; i < end; ++i) {
        left = std::min(left, objects[i].x);
        right = std::max(right, objects[i].x);
    }
    const double top = objects[first].y;
    const auto width = static_cast<std::size_t>((right - left) / CellSize) + 1;
    const auto height = static_cast<std::size_t>((objects[end - 1].y - top) / CellSize) + 1;
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (std::size_t i = first; i < end; ++i) {
        const LevelFileObject& object = objects[i];
        rows[static_cast<std::size_t>((object.y - top) / CellSize)][static_cast<std::size_t>((object.x - left) / CellSize)] =
            characterOf(object);
        used[LegendKey{object.packName, object.name, object.vx}] = true;
    }
    std::string out = std::string("grid ") + listNames[list] + " " + numberWord(left) + " " + numberWord(top) + "\n";
    for (const std::string& row : rows) out += "|" + row + "|\n";
    return out;
}

std::string TextWriter::write() {
    std::string out = "# Zindrop 7 level";
    if (data.version != 7)
        out += " (read from a version " + std::to_string(data.version) + " file; builds as version 7)";
    if (data.trailingBytes > 0)
        out += "\n# the file had " + std::to_string(data.trailingBytes) +
               " bytes after its last field; the game ignores them and a build drops them";
    out += "\ntitle " + quotedWord(data.levelName) + "\n";
    out += "music " + quotedWord(data.musicName) + "\n";
    out += "timeLimit " + numberWord(data.timeLimit) + "\n";
    out += "zoom " + numberWord(data.zoom) + "\n";
    out += recordLine("background", data.background);
    out += recordLine("ball", data.ball);
    out += recordLine("ballShadow", data.ballShadow);
    out += "explodeCount " + numberWord(data.explodeCount) + "\n";
    out += "exitCount " + numberWord(data.exitCount) + "\n";
    out += "bombsCarried " + std::to_string(data.bombsCarried) + "\n";
    out += "sinkScale " + numberWord(data.sinkScale) + "\n";
    out += "jumpState " + std::to_string(data.jumpState) + "\n";
    out += "jumpHeight " + numberWord(data.jumpHeight) + "\n";

    assignCharacters();
    // A list is cut into runs: consecutive grid-able objects in row-major
    // order (each after the one before, never two in one cell) become one
    // grid, since a grid gives its objects back in that order; everything
    // else becomes object lines. So the stored order survives exactly.
    std::string board;
    int lastObjectLineList = 0;  // object lines of one list stay together
    for (int list = 1; list <= LevelListCount; ++list) {
        const auto& objects = data.lists[list];
        std::size_t i = 0;
        while (i < objects.size()) {
            std::size_t end = i;
            double left = objects[i].x;
            double right = left;
            while (end < objects.size() && onGrid(list, objects[end]) && characterOf(objects[end]) != 0) {
                const LevelFileObject& object = objects[end];
                if (end > i) {
                    const LevelFileObject& before = objects[end - 1];
                    if (object.y < before.y || (object.y == before.y && object.x <= before.x)) break;
                }
                const double newLeft = std::min(left, object.x);
                const double newRight = std::max(right, object.x);
                if ((newRight - newLeft) / CellSize >= MaxGridCells || (object.y - objects[i].y) / CellSize >= MaxGridCells)
                    break;
                left = newLeft;
                right = newRight;
                ++end;
            }
            if (end - i >= 2) {
                board += "\n" + grid(list, i, end);
                lastObjectLineList = 0;
                i = end;
            } else {
                if (lastObjectLineList != list) board += "\n";
                lastObjectLineList = list;
                board += objectLine(list, objects[i]);
                ++i;
            }
        }
    }
    if (!keyOrder.empty()) out += "\n";
    for (const LegendKey& key : keyOrder) {
        if (!used[key]) continue;
        out += std::string("legend ") + wordFor(std::string(1, characters[key])) + " " + wordFor(std::get<0>(key)) +
               " " + wordFor(std::get<1>(key));
        if (!isPlainZero(std::get<2>(key))) out += " dir " + numberWord(std::get<2>(key));
        out += "\n";
    }
    return out + board;
}
}  // namespace

const char* levelListName(int number) {
    return number >= 1 && number <= LevelListCount ? listNames[number] : "";
}

std::string levelToText(const LevelFileData& data) { return TextWriter(data).write(); }

bool levelFromText(const std::string& text, LevelFileData& data, std::vector<TextProblem>& problems) {
    problems.clear();
    TextReader reader(problems);
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        reader.readLine(text.substr(start, end - start), ++lineNumber);
        start = end + 1;
    }
    reader.finish(data);
    return problems.empty();
}

std::string describeProblems(const std::string& fileName, const std::vector<TextProblem>& problems) {
    std::string out;
    for (const TextProblem& found : problems)
        out += fileName + ":" + std::to_string(found.line) + ": " + found.message + "\n";
    if (problems.size() >= MaxProblems) out += fileName + ": (more problems may follow; fix these first)\n";
    return out;
}
