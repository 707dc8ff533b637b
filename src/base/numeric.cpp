#include "base/numeric.h"

#include <cmath>
#include <cstdint>
#include <random>

namespace {
std::mt19937_64 generator(12345);  // the game's generator; reseeded at start-up
}

std::int64_t nearest(double value) {
    // Values no 64-bit integer can hold (a damaged file can supply them)
    // saturate instead of overflowing the conversion; NaN gives 0.
    if (!(value == value)) return 0;
    if (value >= 0x1.0p63) return INT64_MAX;
    if (value < -0x1.0p63) return INT64_MIN;
    // Worked out from floor() so that the result does not depend on the
    // floating-point rounding mode, without the cost of switching modes on
    // every call (the renderer rounds tens of thousands of values a frame).
    // value - floor(value) is exact for every finite double.
    const double down = std::floor(value);
    const double fraction = value - down;
    const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(down, 2.0) != 0.0);
    return static_cast<std::int64_t>(up ? down + 1.0 : down);
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
