// Feeds arbitrary bytes to the PNG decoder: it must refuse or decode every
// input without reading or writing outside its buffers, and a decoded block
// must have the size its header claims.
//
// Mutated PNG files rarely get past the chunk CRCs and zlib's checksum, so
// the bytes are used three ways:
//   - input starting with 137 (a PNG signature byte): decoded as it is, and
//     again with every chunk CRC mended;
//   - any other input: a picture built from it (header fields from the first
//     bytes, an optional PLTE and tRNS, the rest repeated to exactly the row
//     data the header asks for, compressed), which reaches the unfiltering,
//     Adam7 placement and conversion of every format.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gfx/png.h"

namespace {

void checkDecode(const std::vector<std::uint8_t>& file) {
    Bytes block;
    if (!decodePngData(file.data(), file.size(), 32, block)) {
        if (!block.empty() || pngDecoder.pngError == 0) std::abort();
        return;
    }
    const std::size_t width = (block[0] | block[1] << 8) >> 3;
    const std::size_t height = block[2] | block[3] << 8;
    if ((block[0] & 7) != 4 || block.size() != 4 + width * height * 4) std::abort();
}

void putBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// Rewrites the CRC of every whole chunk after the signature.
std::vector<std::uint8_t> withCrcsMended(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> file(data, data + size);
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const std::size_t length = bigEndian32(&file[at]);
        if (length > file.size() - at - 12) break;
        const std::uint32_t crc = crc32(0, &file[at + 4], length + 4);
        for (int i = 0; i < 4; ++i) file[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        at += length + 12;
    }
    return file;
}

void addChunk(std::vector<std::uint8_t>& file, const char* type, const std::vector<std::uint8_t>& data) {
    putBigEndian32(file, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    putBigEndian32(file, crc32(0, &file[start], data.size() + 4));
}

struct Format {
    std::uint8_t colourType, bitDepth, channels;
};

constexpr Format formats[] = {{0, 1, 1}, {0, 2, 1}, {0, 4, 1}, {0, 8, 1}, {0, 16, 1},
                              {2, 8, 3}, {2, 16, 3}, {3, 1, 1}, {3, 2, 1}, {3, 4, 1},
                              {3, 8, 1}, {4, 8, 2}, {4, 16, 2}, {6, 8, 4}, {6, 16, 4}};

std::size_t rowDataSize(std::size_t width, std::size_t height, const Format& format, bool adam7) {
    static const std::size_t passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                             {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    static const std::size_t whole[1][4] = {{0, 0, 1, 1}};
    const auto* table = adam7 ? passes : whole;
    std::size_t total = 0;
    for (int p = 0; p < (adam7 ? 7 : 1); ++p) {
        const std::size_t columns = width > table[p][0] ? (width - table[p][0] + table[p][2] - 1) / table[p][2] : 0;
        const std::size_t rows = height > table[p][1] ? (height - table[p][1] + table[p][3] - 1) / table[p][3] : 0;
        if (columns > 0) total += rows * ((columns * format.bitDepth * format.channels + 7) / 8 + 1);
    }
    return total;
}

// Layout: width, height, format, interlace, PLTE length, tRNS length, the
// PLTE and tRNS bytes, then the row data (repeated to the size needed).
void checkBuiltPicture(const std::uint8_t* data, std::size_t size) {
    if (size < 7) return;
    const std::size_t width = 1 + data[1] % 64;
    const std::size_t height = 1 + data[2] % 64;
    const Format& format = formats[data[3] % 15];
    const bool adam7 = (data[4] & 1) != 0;
    const std::size_t paletteLength = data[5] * 3u;
    const std::size_t transparencyLength = data[6];
    std::size_t at = 7;
    if (size - at < paletteLength + transparencyLength + 1) return;
    const std::vector<std::uint8_t> palette(data + at, data + at + paletteLength);
    at += paletteLength;
    const std::vector<std::uint8_t> transparency(data + at, data + at + transparencyLength);
    at += transparencyLength;

    std::vector<std::uint8_t> rows(rowDataSize(width, height, format, adam7));
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = data[at + i % (size - at)];
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), 1) != Z_OK) return;
    packed.resize(packedSize);

    std::vector<std::uint8_t> file = {137, 80, 78, 71, 13, 10, 26, 10};
    std::vector<std::uint8_t> header;
    putBigEndian32(header, static_cast<std::uint32_t>(width));
    putBigEndian32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {format.bitDepth, format.colourType, 0, 0, static_cast<std::uint8_t>(adam7)});
    addChunk(file, "IHDR", header);
    if (paletteLength > 0) addChunk(file, "PLTE", palette);
    if (transparencyLength > 0) addChunk(file, "tRNS", transparency);
    addChunk(file, "IDAT", packed);
    addChunk(file, "IEND", {});
    checkDecode(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 0 && data[0] == 137) {
        checkDecode(std::vector<std::uint8_t>(data, data + size));
        checkDecode(withCrcsMended(data, size));
    } else {
        checkBuiltPicture(data, size);
    }
    return 0;
}
