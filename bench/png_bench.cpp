// The game's PNG decoder against libpng and stb_image on the same files, with
// zlib's uncompress of the same joined IDAT data as the floor no decoder can
// beat. Every decoder works from memory and produces 8-bit RGBA.
//
//   PngTextures/...  every data/txtpck*/*.png of the game folder, once each
//   PngPhoto/...     a 2048 x 2048 RGBA picture like a photo (smooth
//                    gradients with noise), written by libpng with adaptive
//                    filters
//   PngPhotoAdam7/...  the same picture, Adam7-interlaced
#include <benchmark/benchmark.h>
#include <png.h>
#include <stb_image.h>
#include <zlib.h>

#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "gfx/png.h"
#include "platform/files.h"
#include "support/libpng_memory.h"

namespace {

struct Sample {
    Bytes file;        // the PNG file
    Bytes idat;        // its IDAT data joined
    std::size_t inflatedSize = 0;  // what the IDAT data inflates to
};

// ---------------------------------------------------------------------------
// The samples

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

Sample sampleOf(Bytes file) {
    Sample sample;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::size_t length = bigEndian32(&file[at]);
        if (length > file.size() - at - 12) break;
        if (std::string(file.begin() + static_cast<std::ptrdiff_t>(at + 4), file.begin() + static_cast<std::ptrdiff_t>(at + 8)) == "IDAT")
            sample.idat.insert(sample.idat.end(), file.begin() + static_cast<std::ptrdiff_t>(at + 8),
                               file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        at += length + 12;
    }
    // Inflate once to learn the size the floor must produce.
    z_stream stream{};
    inflateInit(&stream);
    stream.next_in = sample.idat.data();
    stream.avail_in = static_cast<uInt>(sample.idat.size());
    Bytes scratch(1 << 20);
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = scratch.data();
        stream.avail_out = static_cast<uInt>(scratch.size());
        status = inflate(&stream, Z_NO_FLUSH);
    }
    sample.inflatedSize = stream.total_out;
    inflateEnd(&stream);
    sample.file = std::move(file);
    return sample;
}

// Smooth colour fields and a soft alpha ramp, with a little noise on top,
// as a photograph or a painted texture has.
std::vector<Bytes> photoRows(std::uint32_t size) {
    std::vector<Bytes> rows(size, Bytes(std::size_t{size} * 4));
    std::uint32_t noise = 12345;
    for (std::uint32_t y = 0; y < size; ++y)
        for (std::uint32_t x = 0; x < size; ++x) {
            const double u = x / double(size);
            const double v = y / double(size);
            const double field[4] = {128 + 100 * std::sin(6 * u + 2 * v), 128 + 90 * std::cos(4 * v - 3 * u * v),
                                     128 + 80 * std::sin(9 * u * v + 1), 200 + 50 * std::sin(3 * u + 5 * v)};
            for (int c = 0; c < 4; ++c) {
                noise = noise * 1664525u + 1013904223u;
                const int jitter = static_cast<int>(noise >> 29) - 4;  // -4 .. 3
                const int value = static_cast<int>(field[c]) + jitter;
                rows[y][std::size_t{x} * 4 + c] = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
            }
        }
    return rows;
}

Bytes writePhoto(std::vector<Bytes>& rows, bool adam7) {
    const auto size = static_cast<std::uint32_t>(rows.size());
    std::vector<png_bytep> pointers;
    for (Bytes& row : rows) pointers.push_back(row.data());
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendOutput, noFlush);
    png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGBA,
                 adam7 ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, 0, PNG_ALL_FILTERS);
    png_write_info(png, info);
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

const std::vector<Sample>& photo(bool adam7) {
    static const std::vector<Sample> samples = [] {
        std::vector<Bytes> rows = photoRows(2048);
        return std::vector<Sample>{sampleOf(writePhoto(rows, false)), sampleOf(writePhoto(rows, true))};
    }();
    static const std::vector<Sample> plain = {samples[0]};
    static const std::vector<Sample> interlaced = {samples[1]};
    return adam7 ? interlaced : plain;
}

const std::vector<Sample>& textures() {
    static const std::vector<Sample> samples = [] {
        std::vector<Sample> found;
        const std::string game = std::string(ZD_GAME_DIR) + "/";
        for (const std::string& pack : listFolder(game, "txtpck*", EntryKind::Folders))
            for (const std::string& name : listFolder(game + pack, "*.png", EntryKind::Files)) {
                Bytes file;
                if (readFile(game + pack + "/" + name, file)) found.push_back(sampleOf(std::move(file)));
            }
        return found;
    }();
    return samples;
}

// ---------------------------------------------------------------------------
// The decoders

bool decodeWithGame(const Sample& sample) {
    Bytes block;
    const bool ok = decodePngData(sample.file.data(), sample.file.size(), 32, block);
    benchmark::DoNotOptimize(block.data());
    return ok;
}

// libpng with the conversions the game makes: 8-bit RGBA, tRNS as alpha.
// Only trivially destructible locals: libpng leaves by longjmp.
bool libpngInto(Cursor& cursor, Bytes& pixels, std::vector<png_bytep>& rows) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &cursor, readInput);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const std::size_t width = png_get_image_width(png, info);
    const std::size_t height = png_get_image_height(png, info);
    pixels.resize(width * height * 4);
    rows.resize(height);
    for (std::size_t y = 0; y < height; ++y) rows[y] = pixels.data() + y * width * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool decodeWithLibpng(const Sample& sample) {
    Cursor cursor{&sample.file, 0};
    Bytes pixels;
    std::vector<png_bytep> rows;
    const bool ok = libpngInto(cursor, pixels, rows);
    benchmark::DoNotOptimize(pixels.data());
    return ok;
}

bool decodeWithStb(const Sample& sample) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(sample.file.data(), static_cast<int>(sample.file.size()), &width,
                                            &height, &channels, 4);
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
    return pixels != nullptr;
}

bool uncompressOnly(const Sample& sample) {
    Bytes inflated(sample.inflatedSize);
    uLongf length = inflated.size();
    const bool ok = uncompress(inflated.data(), &length, sample.idat.data(), sample.idat.size()) == Z_OK;
    benchmark::DoNotOptimize(inflated.data());
    return ok;
}

// ---------------------------------------------------------------------------

using Decoder = bool (*)(const Sample&);
using Samples = const std::vector<Sample>& (*)();

void runDecoder(benchmark::State& state, Samples samples, Decoder decoder) {
    const std::vector<Sample>& files = samples();
    if (files.empty()) {
        state.SkipWithError("no pictures (data/txtpck*/*.png)");
        return;
    }
    std::size_t inflated = 0;
    for (const Sample& sample : files) inflated += sample.inflatedSize;
    for (auto _ : state)
        for (const Sample& sample : files)
            if (!decoder(sample)) {
                state.SkipWithError("a picture did not decode");
                return;
            }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * inflated));
}

const std::vector<Sample>& plainPhoto() { return photo(false); }
const std::vector<Sample>& interlacedPhoto() { return photo(true); }

void registerAll() {
    const struct {
        const char* set;
        Samples samples;
    } sets[] = {{"PngTextures", textures}, {"PngPhoto", plainPhoto}, {"PngPhotoAdam7", interlacedPhoto}};
    const struct {
        const char* name;
        Decoder decoder;
    } decoders[] = {{"decodePng", decodeWithGame},
                    {"libpng", decodeWithLibpng},
                    {"stb_image", decodeWithStb},
                    {"uncompress", uncompressOnly}};
    for (const auto& set : sets)
        for (const auto& decoder : decoders)
            benchmark::RegisterBenchmark((std::string(set.set) + "/" + decoder.name).c_str(), runDecoder,
                                         set.samples, decoder.decoder)
                ->Unit(benchmark::kMillisecond);
}

const bool registered = (registerAll(), true);

}  // namespace
