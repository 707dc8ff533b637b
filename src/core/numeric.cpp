#include "core/numeric.h"

#include <cfenv>
#include <cmath>
#include <random>

namespace {
std::mt19937_64 generator(12345);  // the game's generator; reseeded at start-up
}

std::int64_t nearest(double value) {
    // nearbyint follows the rounding mode, which is round-half-to-even by
    // default; set it explicitly so that no library call can have changed it.
    const int previousMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previousMode);
    return static_cast<std::int64_t>(rounded);
}

void seedRandom(std::uint64_t seed) { generator.seed(seed); }

double randomUnit() {
    // 53 random bits give every double in [0, 1) that is a multiple of 2^-53.
    return static_cast<double>(generator() >> 11) * 0x1.0p-53;
}

std::int64_t randomInt(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(
        std::floor(randomUnit() * static_cast<double>(b - a + 1) + static_cast<double>(a)));
}
