// Feeds arbitrary bytes to the statistics reader: any file, cut short or too
// long, gives the fields it holds, the rest zero, and a complete file
// survives writing and reading unchanged. The level shifts of the editor run
// on whatever was read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "progress/statistics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that a read past the end is seen.
    const Bytes bytes(data, data + size);
    Statistics statistics = decodeStatistics(bytes);
    const Bytes written = encodeStatistics(statistics);
    if (written.size() != StatisticsFileSize) std::abort();
    // What was there is kept, what was missing reads as zero.
    const std::size_t kept = size < StatisticsFileSize ? size / 4 * 4 : StatisticsFileSize;
    if (kept > 0 && std::memcmp(written.data(), bytes.data(), kept) != 0) std::abort();
    for (std::size_t i = kept; i < StatisticsFileSize; ++i)
        if (written[i] != 0) std::abort();
    if (decodeStatistics(written).currentLevel != statistics.currentLevel) std::abort();
    const int level = static_cast<int>(size % 1001);
    shiftStatistics(statistics, static_cast<LevelShift>(size % 3), level);
    return 0;
}
