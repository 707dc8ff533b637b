#include "gfx/texture_scale.h"

#include <algorithm>
#include <cmath>

int powerOfTwoBelow(int size) {
    int power = 1;
    while (power <= size / 2) power *= 2;
    return power;
}

int powerOfTwoAbove(int size) {
    int power = 1;
    while (power < size) power *= 2;
    return power;
}

bool isPowerOfTwo(int size) { return size > 0 && (size & (size - 1)) == 0; }

namespace {

// How much of source cell `index` the target span [from, to) covers, for
// every source cell it touches. Spans are in source pixel units.
struct Coverage {
    int first;                   // first source cell touched
    std::vector<double> weight;  // its share and those of the following cells
};

std::vector<Coverage> coverages(int sourceSize, int targetSize) {
    std::vector<Coverage> spans(static_cast<std::size_t>(targetSize));
    const double step = static_cast<double>(sourceSize) / targetSize;
    for (int t = 0; t < targetSize; ++t) {
        const double from = t * step;
        const double to = from + step;
        Coverage& span = spans[static_cast<std::size_t>(t)];
        span.first = static_cast<int>(std::floor(from));
        const int last = std::min(sourceSize - 1, static_cast<int>(std::ceil(to)) - 1);
        for (int s = span.first; s <= last; ++s) {
            const double covered = std::min(to, s + 1.0) - std::max(from, static_cast<double>(s));
            span.weight.push_back(covered / step);
        }
    }
    return spans;
}

}  // namespace

std::vector<std::uint8_t> scalePixels(const std::uint8_t* pixels, int width, int height,
                                      int components, int newWidth, int newHeight) {
    const std::vector<Coverage> columns = coverages(width, newWidth);
    const std::vector<Coverage> rows = coverages(height, newHeight);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(newWidth) * newHeight * components);
    std::vector<double> sum(static_cast<std::size_t>(components));
    for (int y = 0; y < newHeight; ++y) {
        const Coverage& row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < newWidth; ++x) {
            const Coverage& column = columns[static_cast<std::size_t>(x)];
            std::fill(sum.begin(), sum.end(), 0.0);
            for (std::size_t j = 0; j < row.weight.size(); ++j) {
                const int sy = row.first + static_cast<int>(j);
                for (std::size_t i = 0; i < column.weight.size(); ++i) {
                    const int sx = column.first + static_cast<int>(i);
                    const double w = row.weight[j] * column.weight[i];
                    const std::uint8_t* source =
                        pixels + (static_cast<std::size_t>(sy) * width + sx) * components;
                    for (int c = 0; c < components; ++c) sum[static_cast<std::size_t>(c)] += w * source[c];
                }
            }
            std::uint8_t* target = out.data() + (static_cast<std::size_t>(y) * newWidth + x) * components;
            for (int c = 0; c < components; ++c)
                target[c] = static_cast<std::uint8_t>(
                    std::clamp(std::lround(sum[static_cast<std::size_t>(c)]), 0L, 255L));
        }
    }
    return out;
}
