#include "assets/texture_catalogue.h"

#include <cctype>
#include <cmath>

#include "base/numeric.h"

TextureCatalogue catalogue;

std::int32_t textureKindOf(const std::string& fourLetters) {
    static const char* const codes[] = {"arre", "arrn", "arrs", "arrw", "arru", "back",
                                        "ball", "blll", "blsh", "bomb", "crck", "exit",
                                        "expl", "flag", "font", "grnd", "plat", "plae",
                                        "plan", "plas", "plaw", "trap", "wall"};
    std::string lower;
    for (char c : fourLetters) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (int i = 0; i < 23; ++i)
        if (lower == codes[i]) return i + 1;
    return KindNone;
}

double advanceFrame(double first, double last, double current, double delta) {
    // A set always spans at least one frame; anything else (or a position that
    // is not a number) would never come back inside the set.
    if (!(last >= first) || !std::isfinite(current + delta)) return first;
    double t = delta;
    for (;;) {
        if (static_cast<double>(nearest(t + current)) <= last + 0.5) return t + current;
        t = (t + current) - last - 1;
        current = first - 0.4999;
        if (t <= 0) return current;
    }
}

const TextureEntry& textureEntryOf(double texture) {
    const std::int64_t index = nearest(texture);
    const List<TextureEntry>& table = catalogue.textureTable;
    return index >= 1 && index <= table.count() ? table[static_cast<int>(index)] : table[0];
}
