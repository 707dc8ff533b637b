// Feeds arbitrary bytes to the settings reader: it must read what it can
// without reading outside the bytes, and what it read must write back and
// read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Settings values;
    decodeSettings(std::string(reinterpret_cast<const char*>(data), size), values);
    Settings again;
    decodeSettings(encodeSettings(values), again);
    if (encodeSettings(again) != encodeSettings(values)) std::abort();
    return 0;
}
