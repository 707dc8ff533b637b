// Test support for the PNG decoder: a chunk-by-chunk builder for hand-made
// (and deliberately broken) files, and libpng as the independent reference:
// it writes every kind of sample image and decodes it under the game's rules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

// Builds a PNG file chunk by chunk; CRCs come from zlib, not from the decoder.
class PngBuilder {
public:
    PngBuilder();  // starts with the signature

    PngBuilder& chunk(const std::string& type, const Bytes& data);
    PngBuilder& header(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType,
                       int interlace = 0);
    PngBuilder& data(const Bytes& rows);  // one IDAT with `rows` compressed
    PngBuilder& end();                    // IEND
    // A chunk with its length and CRC given, whatever the data says.
    PngBuilder& rawChunk(std::uint32_t length, const std::string& type, const Bytes& data,
                         std::uint32_t crc);
    PngBuilder& append(const Bytes& bytes);

    const Bytes& bytes() const { return file; }

private:
    Bytes file;
};

Bytes compressed(const Bytes& raw);
std::uint32_t zlibCrc(const std::string& type, const Bytes& data);
Bytes bigEndian16Bytes(std::uint16_t value);

// What a libpng-written sample holds.
enum class SampleAlpha {
    None,     // no tRNS
    Key,      // grey or RGB key; some pixels equal it, some miss it by one sample
    Palette,  // palette alpha shorter than the palette
};

struct SampleRecipe {
    std::uint32_t width = 8;
    std::uint32_t height = 8;
    int colourType = 6;
    int bitDepth = 8;
    int interlace = 0;
    int filters = 0;          // libpng PNG_FILTER_* bits; 0 = all (adaptive)
    SampleAlpha alpha = SampleAlpha::None;
    int paletteEntries = 0;   // 0 = as many as the depth allows
    std::uint32_t seed = 1;
};

std::string describe(const SampleRecipe& recipe);

// The file as libpng writes it; empty on a libpng error.
Bytes writeWithLibpng(const SampleRecipe& recipe);

// libpng's decode of `file` converted to the game's block (header, bottom row
// first, 8-bit RGBA, tRNS as alpha); false on a libpng error.
bool decodeWithLibpng(const Bytes& file, Bytes& block);
