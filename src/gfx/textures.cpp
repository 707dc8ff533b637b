#include "gfx/textures.h"

#include <cctype>

TextureState textures;

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
