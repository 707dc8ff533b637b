// Feeds arbitrary bytes to the TGA reader: it must refuse or decode every
// input without reading or writing outside its buffers.
#include <cstddef>
#include <cstdint>

#include "gfx/textures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Texture texture;
    decodeTga(data, size, texture);
    return 0;
}
