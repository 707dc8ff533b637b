// Level files from anywhere: decoding must never read out of bounds or
// allocate without limit, and whatever decodes must survive a round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "level/level_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    LevelFileData level;
    if (!decodeLevelFile(bytes, level)) return 0;
    const Bytes encoded = encodeLevelFile(level);
    LevelFileData again;
    if (!decodeLevelFile(encoded, again) || again.trailingBytes != 0 ||
        encodeLevelFile(again) != encoded)
        std::abort();
    return 0;
}
