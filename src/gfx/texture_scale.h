// Pictures resized to power-of-two sides, for graphics libraries that only
// build mipmaps (or repeat textures) at such sizes, as WebGL 1 does.
// Plain pixel arithmetic: no graphics calls here.
#pragma once

#include <cstdint>
#include <vector>

// The largest power of two not above `size` (1 for sizes below 2): the size
// a mipmapped picture is scaled down to, as GLU's mipmap builder does.
int powerOfTwoBelow(int size);

// The smallest power of two not below `size`.
int powerOfTwoAbove(int size);

bool isPowerOfTwo(int size);

// Resamples tightly packed pixels of `components` bytes each from
// width x height to newWidth x newHeight. Each target pixel is the average
// of the source area it covers (partly covered pixels count in proportion),
// so shrinking keeps the picture's overall colour and growing repeats it.
std::vector<std::uint8_t> scalePixels(const std::uint8_t* pixels, int width, int height,
                                      int components, int newWidth, int newHeight);
