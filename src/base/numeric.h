// Number helpers shared by every module: rounding as the game does it, and the
// game's one random-number generator (seeded from the timer at start-up,
// seedable by tests so that random frames and comments can be reproduced).
#pragma once

#include <cstdint>

// Nearest integer, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Every double-to-integer conversion in the game goes through this.
std::int64_t nearest(double value);

// Seeds the game's generator.
void seedRandom(std::uint64_t seed);

// Uniform in [0, 1).
double randomUnit();

// floor(r * (b - a + 1) + a) with r from randomUnit(): an integer in [a, b].
std::int64_t randomInt(std::int64_t a, std::int64_t b);
