#include "gfx/png_samples.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <sstream>

#include "support/libpng_memory.h"

// ---------------------------------------------------------------------------
// Hand-made files

Bytes compressed(const Bytes& raw) {
    uLongf length = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(length);
    compress(out.data(), &length, raw.data(), static_cast<uLong>(raw.size()));
    out.resize(length);
    return out;
}

std::uint32_t zlibCrc(const std::string& type, const Bytes& data) {
    uLong crc = ::crc32(0UL, reinterpret_cast<const Bytef*>(type.data()), static_cast<uInt>(type.size()));
    if (!data.empty()) crc = ::crc32(crc, data.data(), static_cast<uInt>(data.size()));  // a null buffer restarts
    return static_cast<std::uint32_t>(crc);
}

Bytes bigEndian16Bytes(std::uint16_t value) {
    return {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

namespace {
void putBigEndian32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}
}  // namespace

PngBuilder::PngBuilder() : file{137, 80, 78, 71, 13, 10, 26, 10} {}

PngBuilder& PngBuilder::rawChunk(std::uint32_t length, const std::string& type, const Bytes& data,
                                 std::uint32_t crc) {
    putBigEndian32(file, length);
    file.insert(file.end(), type.begin(), type.end());
    file.insert(file.end(), data.begin(), data.end());
    putBigEndian32(file, crc);
    return *this;
}

PngBuilder& PngBuilder::chunk(const std::string& type, const Bytes& data) {
    return rawChunk(static_cast<std::uint32_t>(data.size()), type, data, zlibCrc(type, data));
}

PngBuilder& PngBuilder::header(std::uint32_t width, std::uint32_t height, int bitDepth,
                               int colourType, int interlace) {
    Bytes data;
    putBigEndian32(data, width);
    putBigEndian32(data, height);
    for (int value : {bitDepth, colourType, 0, 0, interlace}) data.push_back(static_cast<std::uint8_t>(value));
    return chunk("IHDR", data);
}

PngBuilder& PngBuilder::data(const Bytes& rows) { return chunk("IDAT", compressed(rows)); }

PngBuilder& PngBuilder::end() { return chunk("IEND", {}); }

PngBuilder& PngBuilder::append(const Bytes& bytes) {
    file.insert(file.end(), bytes.begin(), bytes.end());
    return *this;
}

// ---------------------------------------------------------------------------
// Sample pictures: smooth runs with noise and scattered random samples, so
// that libpng's adaptive filtering picks every filter type.

std::string describe(const SampleRecipe& recipe) {
    std::ostringstream text;
    text << recipe.width << "x" << recipe.height << " type " << recipe.colourType << " depth "
         << recipe.bitDepth << " interlace " << recipe.interlace << " filters " << recipe.filters
         << " alpha " << static_cast<int>(recipe.alpha) << " palette " << recipe.paletteEntries
         << " seed " << recipe.seed;
    return text.str();
}

namespace {

std::uint32_t hash(std::uint32_t seed, std::uint32_t x, std::uint32_t y, std::uint32_t c) {
    std::uint32_t h = seed * 0x9E3779B1u ^ x * 0x85EBCA77u ^ y * 0xC2B2AE3Du ^ c * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

int channelsOf(int colourType) {
    switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
    }
}

struct Prepared {
    std::vector<Bytes> rows;                // packed rows as PNG stores them
    std::vector<png_bytep> rowPointers;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;
    png_color_16 key{};
    bool hasKey = false;
};

std::uint32_t sampleValue(const SampleRecipe& recipe, const Prepared& prepared, std::uint32_t x,
                          std::uint32_t y, int c) {
    const std::uint32_t maxValue = (1u << recipe.bitDepth) - 1;
    const std::uint32_t h = hash(recipe.seed, x, y, static_cast<std::uint32_t>(c));
    if (prepared.hasKey && (x + 2 * y) % 5 == 0) {
        const png_uint_16 keys[3] = {prepared.key.red, prepared.key.green, prepared.key.blue};
        return recipe.colourType == 0 ? prepared.key.gray : keys[c];
    }
    if (prepared.hasKey && (x + 2 * y) % 5 == 1) {
        // Misses the key by the lowest bit of one sample (for 16 bits: same high byte).
        const png_uint_16 keys[3] = {prepared.key.red, prepared.key.green, prepared.key.blue};
        const std::uint32_t key = recipe.colourType == 0 ? prepared.key.gray : keys[c];
        return c == static_cast<int>(x % 3) || recipe.colourType == 0 ? key ^ 1u : key;
    }
    if (h % 4 == 0) return h % (maxValue + 1);
    const std::uint32_t smooth = (x * 37 + y * 23 + static_cast<std::uint32_t>(c) * 71) * (maxValue / 64 + 1);
    return (smooth + (h >> 8) % 3) % (maxValue + 1);
}

void packRows(const SampleRecipe& recipe, Prepared& prepared) {
    const int channels = channelsOf(recipe.colourType);
    const std::size_t rowBits = std::size_t{recipe.width} * static_cast<std::size_t>(channels * recipe.bitDepth);
    for (std::uint32_t y = 0; y < recipe.height; ++y) {
        Bytes row((rowBits + 7) / 8, 0);
        std::size_t bit = 0;
        for (std::uint32_t x = 0; x < recipe.width; ++x)
            for (int c = 0; c < channels; ++c, bit += static_cast<std::size_t>(recipe.bitDepth)) {
                const std::uint32_t value = sampleValue(recipe, prepared, x, y, c);
                if (recipe.bitDepth == 16) {
                    row[bit / 8] = static_cast<std::uint8_t>(value >> 8);
                    row[bit / 8 + 1] = static_cast<std::uint8_t>(value);
                } else {
                    row[bit / 8] |= static_cast<std::uint8_t>(value << (8 - recipe.bitDepth - bit % 8));
                }
            }
        prepared.rows.push_back(row);
    }
    for (Bytes& row : prepared.rows) prepared.rowPointers.push_back(row.data());
}

void prepareTransparency(const SampleRecipe& recipe, Prepared& prepared) {
    const std::uint32_t maxValue = (1u << recipe.bitDepth) - 1;
    if (recipe.colourType == 3) {
        const int entries = recipe.paletteEntries > 0 ? recipe.paletteEntries : 1 << recipe.bitDepth;
        for (int i = 0; i < entries; ++i) {
            const std::uint32_t h = hash(recipe.seed, static_cast<std::uint32_t>(i), 7, 7);
            prepared.palette.push_back({static_cast<png_byte>(h), static_cast<png_byte>(h >> 8),
                                        static_cast<png_byte>(h >> 16)});
        }
        if (recipe.alpha == SampleAlpha::Palette)
            for (int i = 0; i < entries / 2 + 1 && i < entries; ++i)
                prepared.paletteAlpha.push_back(static_cast<png_byte>(hash(recipe.seed, static_cast<std::uint32_t>(i), 9, 9)));
    }
    if (recipe.alpha == SampleAlpha::Key) {
        prepared.hasKey = true;
        prepared.key.gray = static_cast<png_uint_16>(maxValue / 3);
        prepared.key.red = static_cast<png_uint_16>(maxValue / 5);
        prepared.key.green = static_cast<png_uint_16>(maxValue / 2);
        prepared.key.blue = static_cast<png_uint_16>(maxValue - 3);
    }
}

[[noreturn]] void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void onWarning(png_structp, png_const_charp) {}

// Only trivially destructible locals live here: libpng leaves by longjmp.
bool writeFile(const SampleRecipe& recipe, Prepared& prepared, Bytes& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, appendOutput, noFlush);
    png_set_check_for_invalid_index(png, 0);  // indices beyond PLTE are wanted
    png_set_IHDR(png, info, recipe.width, recipe.height, recipe.bitDepth, recipe.colourType,
                 recipe.interlace == 1 ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, 0, recipe.filters != 0 ? recipe.filters : PNG_ALL_FILTERS);
    if (!prepared.palette.empty())
        png_set_PLTE(png, info, prepared.palette.data(), static_cast<int>(prepared.palette.size()));
    if (!prepared.paletteAlpha.empty())
        png_set_tRNS(png, info, prepared.paletteAlpha.data(), static_cast<int>(prepared.paletteAlpha.size()), nullptr);
    if (prepared.hasKey) png_set_tRNS(png, info, nullptr, 0, &prepared.key);
    png_write_info(png, info);
    png_write_image(png, prepared.rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Decodes into `rows` (top row first, RGBA) with the game's conversions:
// everything expanded to 8-bit RGBA, 16-bit samples by their high byte, tRNS
// as alpha. Only trivially destructible locals: libpng leaves by longjmp.
bool readRows(Cursor& cursor, std::vector<Bytes>& rows, std::vector<png_bytep>& pointers,
              png_uint_32& width, png_uint_32& height) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &cursor, readInput);
    png_set_check_for_invalid_index(png, 0);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t{width} * 4) png_error(png, "not RGBA");
    rows.assign(height, Bytes(std::size_t{width} * 4));
    for (Bytes& row : rows) pointers.push_back(row.data());
    png_read_image(png, pointers.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

Bytes writeWithLibpng(const SampleRecipe& recipe) {
    Prepared prepared;
    prepareTransparency(recipe, prepared);
    packRows(recipe, prepared);
    Bytes out;
    if (!writeFile(recipe, prepared, out)) out.clear();
    return out;
}

bool decodeWithLibpng(const Bytes& file, Bytes& block) {
    Cursor cursor{&file, 0};
    std::vector<Bytes> rows;
    std::vector<png_bytep> pointers;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    if (!readRows(cursor, rows, pointers, width, height)) return false;
    const std::uint32_t packed = width * 8 + 4;
    block = {static_cast<std::uint8_t>(packed), static_cast<std::uint8_t>(packed >> 8),
             static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8)};
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) block.insert(block.end(), row->begin(), row->end());
    return true;
}
