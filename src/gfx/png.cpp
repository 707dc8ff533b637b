#include "gfx/png.h"

#define ZLIB_CONST  // next_in points to const bytes
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/bytes.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ZD_PNG_SSE2 1
constexpr bool haveSse2 = true;
#else
constexpr bool haveSse2 = false;
#endif

PngState pngDecoder;

// ---------------------------------------------------------------------------
// CRC-32, sixteen bytes at a time: table[0] is the standard byte table and
// table[k] carries a byte on through k further zero bytes, so one step folds
// sixteen bytes with sixteen independent look-ups instead of a chain of
// sixteen (same value as the byte-wise loop, about three times as fast).

namespace {

constexpr int crcSlices = 16;

struct CrcTables {
    std::uint32_t table[crcSlices][256];
};

constexpr CrcTables makeCrcTables() {
    CrcTables tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables.table[0][n] = c;
    }
    for (int k = 1; k < crcSlices; ++k)
        for (std::uint32_t n = 0; n < 256; ++n) {
            const std::uint32_t previous = tables.table[k - 1][n];
            tables.table[k][n] = (previous >> 8) ^ tables.table[0][previous & 0xFF];
        }
    return tables;
}

constexpr CrcTables crcTables = makeCrcTables();

std::uint32_t littleEndian32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// The look-ups for four bytes that lie `after` bytes before the end of a step.
std::uint32_t crcWord(std::uint32_t word, int after) {
    const auto& t = crcTables.table;
    return t[after + 3][word & 0xFF] ^ t[after + 2][(word >> 8) & 0xFF] ^
           t[after + 1][(word >> 16) & 0xFF] ^ t[after][word >> 24];
}

}  // namespace

std::uint32_t crc32(std::uint32_t running, const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t crc = ~running;
    for (; count >= 16; count -= 16, bytes += 16)
        crc = crcWord(crc ^ littleEndian32(bytes), 12) ^ crcWord(littleEndian32(bytes + 4), 8) ^
              crcWord(littleEndian32(bytes + 8), 4) ^ crcWord(littleEndian32(bytes + 12), 0);
    for (; count > 0; --count, ++bytes) crc = crcTables.table[0][(crc ^ *bytes) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

namespace {

// ---------------------------------------------------------------------------
// Chunks

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

std::int32_t bigEndian16(const std::uint8_t* p) { return p[0] << 8 | p[1]; }

constexpr std::uint8_t pngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

constexpr std::uint32_t chunkType(const char (&name)[5]) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[2])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[3]));
}

constexpr std::uint32_t typeIHDR = chunkType("IHDR");
constexpr std::uint32_t typePLTE = chunkType("PLTE");
constexpr std::uint32_t typeTRNS = chunkType("tRNS");
constexpr std::uint32_t typeIDAT = chunkType("IDAT");
constexpr std::uint32_t typeIEND = chunkType("IEND");

// PNG's own limit on a chunk length.
constexpr std::uint32_t maxChunkLength = 0x7FFFFFFF;

// A chunk as it lies in the file: its data is not copied.
struct Chunk {
    std::uint32_t type = 0;
    const std::uint8_t* data = nullptr;
    std::size_t length = 0;
};

int readChunk(ByteReader& file, Chunk& chunk) {
    const std::uint32_t length = file.u32BigEndian();
    if (!file.ok()) return PngChunkCutShort;
    if (length > maxChunkLength) return PngNoMemory;
    const std::uint8_t* typeBytes = file.view(4);
    const std::uint8_t* data = file.view(length);
    const std::uint32_t storedCrc = file.u32BigEndian();
    if (!file.ok()) return PngChunkCutShort;
    // The CRC covers the type and the data, which lie side by side.
    if (crc32(0, typeBytes, std::size_t{length} + 4) != storedCrc) return PngBadCrc;
    chunk.type = bigEndian32(typeBytes);
    chunk.data = data;
    chunk.length = length;
    return PngOk;
}

bool signatureMatches(ByteReader& file) {
    for (std::uint8_t expected : pngSignature)
        if (file.u8() != expected || !file.ok()) return false;
    return true;
}

// The chunks after IHDR that decoding needs.
struct ChunkScan {
    int count = 0;                 // chunks after IHDR
    std::uint32_t lastType = 0;    // type of the last of them
    const Chunk* palette = nullptr;       // first PLTE
    const Chunk* transparency = nullptr;  // first tRNS
    std::vector<Chunk> chunks;     // PLTE, tRNS and IDAT chunks in file order
    std::size_t dataLength = 0;    // sum of the IDAT lengths
};

int scanChunks(ByteReader& file, ChunkScan& scan) {
    while (file.remaining() > 0) {
        Chunk chunk;
        const int error = readChunk(file, chunk);
        if (error != PngOk) return error;
        ++scan.count;
        scan.lastType = chunk.type;
        if (chunk.type == typeIDAT) scan.dataLength += chunk.length;
        if (chunk.type == typeIDAT || chunk.type == typePLTE || chunk.type == typeTRNS)
            scan.chunks.push_back(chunk);
    }
    if (scan.count < 2) return PngTooFewChunks;
    if (scan.lastType != typeIEND) return PngNoIend;
    for (const Chunk& chunk : scan.chunks) {
        if (chunk.type == typePLTE && scan.palette == nullptr) scan.palette = &chunk;
        if (chunk.type == typeTRNS && scan.transparency == nullptr) scan.transparency = &chunk;
    }
    return PngOk;
}

// ---------------------------------------------------------------------------
// The image as IHDR, PLTE and tRNS describe it

// A key no sample can equal: every image without a tRNS key uses it, so the
// keyed and the unkeyed conversions are the same code.
constexpr std::int32_t noKey = 0x10000;

struct PngImage {
    std::uint32_t width = 0;          // pixels
    std::uint32_t height = 0;         // pixels
    int bitDepth = 0;                 // bits per sample
    int colourType = 0;               // 0, 2, 3, 4 or 6
    int interlace = 0;                // 0 none, 1 Adam7
    int channels = 1;                 // samples per pixel
    std::size_t pixelStride = 1;      // bytes per pixel as the filters see them (at least 1)
    std::uint8_t colours[256][4] = {};  // RGBA of each palette index, or of each grey value below 16 bits
    std::int32_t keys[3] = {noKey, noKey, noKey};  // tRNS key: grey in keys[0], or R, G, B
};

// Samples per pixel of a colour type, 0 for an unknown type.
int channelsOf(int colourType) {
    switch (colourType) {
    case 0: return 1;
    case 2: return 3;
    case 3: return 1;
    case 4: return 2;
    case 6: return 4;
    default: return 0;
    }
}

bool depthAllowed(int colourType, int depth) {
    const bool upTo8 = depth == 1 || depth == 2 || depth == 4 || depth == 8;
    switch (colourType) {
    case 0: return upTo8 || depth == 16;
    case 3: return upTo8;
    default: return depth == 8 || depth == 16;
    }
}

int readHeader(const Chunk& chunk, PngImage& image) {
    if (chunk.type != typeIHDR) return PngFirstNotIhdr;
    if (chunk.length != 13) return PngBadIhdrLength;
    const std::uint8_t* p = chunk.data;
    image.width = bigEndian32(p);
    image.height = bigEndian32(p + 4);
    image.bitDepth = p[8];
    image.colourType = p[9];
    image.interlace = p[12];
    image.channels = channelsOf(image.colourType);
    if (image.width == 0 || image.height == 0) return PngZeroSize;
    if (image.channels != 0 && !depthAllowed(image.colourType, image.bitDepth)) return PngBadBitDepth;
    if (image.channels == 0) return PngBadColourType;
    if (p[10] != 0) return PngBadCompression;
    if (p[11] != 0) return PngBadFilterMethod;
    if (image.interlace > 1) return PngBadInterlace;
    if (image.width > pngMaxWidth || image.height > pngMaxHeight) return PngTooLarge;
    if (std::uint64_t{image.width} * image.height > pngMaxPixels) return PngTooManyPixels;
    image.pixelStride = static_cast<std::size_t>(std::max(image.bitDepth / 8, 1) * image.channels);
    return PngOk;
}

void setColour(PngImage& image, int index, int red, int green, int blue, int alpha) {
    image.colours[index][0] = static_cast<std::uint8_t>(red);
    image.colours[index][1] = static_cast<std::uint8_t>(green);
    image.colours[index][2] = static_cast<std::uint8_t>(blue);
    image.colours[index][3] = static_cast<std::uint8_t>(alpha);
}

// Palette entries beyond PLTE stay black; alpha beyond tRNS stays 255.
int readPalette(const ChunkScan& scan, PngImage& image) {
    if (image.colourType != 3) return PngOk;
    if (scan.palette == nullptr) return PngNoPalette;
    for (int i = 0; i < 256; ++i) setColour(image, i, 0, 0, 0, 255);
    const std::size_t entries = std::min<std::size_t>(scan.palette->length / 3, 256);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* rgb = scan.palette->data + 3 * i;
        setColour(image, static_cast<int>(i), rgb[0], rgb[1], rgb[2], 255);
    }
    return PngOk;
}

int readTransparency(const ChunkScan& scan, PngImage& image) {
    const Chunk* chunk = scan.transparency;
    if (chunk == nullptr) return PngOk;
    switch (image.colourType) {
    case 3:
        for (std::size_t i = 0; i < std::min<std::size_t>(chunk->length, 256); ++i)
            image.colours[i][3] = chunk->data[i];
        return PngOk;
    case 0:
        if (chunk->length != 2) return PngBadTrnsLength;
        image.keys[0] = bigEndian16(chunk->data);
        return PngOk;
    case 2:
        if (chunk->length != 6) return PngBadTrnsLength;
        for (int c = 0; c < 3; ++c) image.keys[c] = bigEndian16(chunk->data + 2 * c);
        return PngOk;
    default:
        return PngTrnsWithAlpha;
    }
}

// Grey below 16 bits converts through the colour table like a palette: value
// v scaled to 8 bits (times 255, 85, 17 or 1), alpha 0 where v is the key.
void makeGreyRamp(PngImage& image) {
    if (image.colourType != 0 || image.bitDepth == 16) return;
    const int levels = 1 << image.bitDepth;
    const int scale = 255 / (levels - 1);
    for (int v = 0; v < levels; ++v) {
        const int grey = v * scale;
        setColour(image, v, grey, grey, grey, v == image.keys[0] ? 0 : 255);
    }
}

// ---------------------------------------------------------------------------
// Sizes and passes

struct Pass {
    std::size_t firstColumn, firstRow, columnStep, rowStep;
};

constexpr Pass wholeImage[1] = {{0, 0, 1, 1}};
constexpr Pass adam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

struct Passes {
    const Pass* first;
    int count;
};

Passes passesOf(const PngImage& image) {
    return image.interlace == 1 ? Passes{adam7, 7} : Passes{wholeImage, 1};
}

// How many of `total` positions a pass starting at `first` with `step` holds.
std::size_t passCount(std::size_t total, std::size_t first, std::size_t step) {
    return total > first ? (total - first + step - 1) / step : 0;
}

// Bytes of a row of `columns` pixels, without its filter byte.
std::size_t rowBytes(const PngImage& image, std::size_t columns) {
    return (columns * static_cast<std::size_t>(image.bitDepth * image.channels) + 7) / 8;
}

std::size_t expectedDataSize(const PngImage& image) {
    std::size_t total = 0;
    const Passes passes = passesOf(image);
    for (int p = 0; p < passes.count; ++p) {
        const Pass& pass = passes.first[p];
        const std::size_t columns = passCount(image.width, pass.firstColumn, pass.columnStep);
        const std::size_t rows = passCount(image.height, pass.firstRow, pass.rowStep);
        if (columns > 0) total += rows * (rowBytes(image, columns) + 1);
    }
    return total;
}

// ---------------------------------------------------------------------------
// Inflating

// The IDAT data of all chunks is one zlib stream, inflated a batch of rows at
// a time straight from the chunks: the rows stay in the cache, and no buffer
// for the whole image's data is needed. The outcome is that of zlib's
// uncompress() over the joined data into a buffer of round(expected * 1.2 +
// 12) bytes: the stream must end within the data and within that buffer
// (else a zlib error), a stream of another length is the wrong size, and
// bytes after the stream's end are ignored.
class Inflater {
public:
    explicit Inflater(const ChunkScan& chunks) : scan(chunks) { started = inflateInit(&stream) == Z_OK; }
    ~Inflater() {
        if (started) inflateEnd(&stream);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    bool ready() const { return started; }

    // Fills out[0, length); false when the stream ends, breaks or runs out
    // of data first.
    bool read(std::uint8_t* out, std::size_t length) {
        stream.next_out = out;
        stream.avail_out = static_cast<uInt>(length);
        while (stream.avail_out > 0 && status == Z_OK && (stream.avail_in > 0 || feed()))
            status = inflate(&stream, Z_NO_FLUSH);
        return stream.avail_out == 0;
    }

    // Inflates the rest of the stream into `scratch` (as much as the buffer
    // of uncompress() would still hold) and tells what uncompress() would:
    // a zlib error, the wrong size, or success.
    int finish(std::size_t expected, std::uint8_t* scratch, std::size_t scratchSize) {
        const std::size_t capacity = (expected * 12 + 125) / 10;  // round(expected * 1.2 + 12)
        while (status == Z_OK && (stream.avail_in > 0 || feed())) {
            stream.next_out = scratch;
            stream.avail_out = static_cast<uInt>(std::min(scratchSize, capacity - stream.total_out));
            status = inflate(&stream, Z_NO_FLUSH);
        }
        if (status != Z_STREAM_END) return PngInflateFailed;
        return stream.total_out == expected ? PngOk : PngWrongDataSize;
    }

private:
    // The next IDAT chunk with data as input; false when none is left.
    bool feed() {
        while (nextChunk < scan.chunks.size()) {
            const Chunk& chunk = scan.chunks[nextChunk++];
            if (chunk.type != typeIDAT || chunk.length == 0) continue;
            stream.next_in = chunk.data;
            stream.avail_in = static_cast<uInt>(chunk.length);
            return true;
        }
        return false;
    }

    const ChunkScan& scan;
    std::size_t nextChunk = 0;  // index in scan.chunks of the next chunk to feed
    z_stream stream{};
    int status = Z_OK;          // zlib's last answer
    bool started = false;       // inflateInit succeeded
};

// ---------------------------------------------------------------------------
// Unfiltering: the filtered row `in` gives the row `out` (the same place, or
// the block itself when no conversion is needed); `above` is the unfiltered
// row above (zeros for a pass's first row) and bytes left of the first pixel
// count as zero. Each filter is a loop of its own for each pixel size, with no
// test per byte.

using Unfilter = bool (*)(int type, const std::uint8_t* in, std::uint8_t* out,
                          const std::uint8_t* above, std::size_t length);

std::uint8_t byteSum(int a, int b) { return static_cast<std::uint8_t>(a + b); }

int paethPredictor(int left, int up, int upLeft) {
    const int toLeft = std::abs(up - upLeft);               // |p - left|
    const int toUp = std::abs(left - upLeft);               // |p - up|
    const int toUpLeft = std::abs(left + up - 2 * upLeft);  // |p - upLeft|
    const int upOrUpLeft = toUp <= toUpLeft ? up : upLeft;
    return toLeft <= toUp && toLeft <= toUpLeft ? left : upOrUpLeft;
}

void unfilterNone(const std::uint8_t* in, std::uint8_t* out, std::size_t length) {
    if (out != in) std::memcpy(out, in, length);
}

void unfilterUp(const std::uint8_t* in, std::uint8_t* out, const std::uint8_t* above, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) out[i] = byteSum(in[i], above[i]);
}

// Sub, Average and Paeth byte by byte: each byte depends on the byte one
// pixel to its left.
template <std::size_t Stride, bool PixelAtATime = haveSse2 && Stride >= 2>
struct RowFilters {
    static void sub(const std::uint8_t* in, std::uint8_t* out, const std::uint8_t*, std::size_t length) {
        const std::size_t first = std::min(Stride, length);
        for (std::size_t i = 0; i < first; ++i) out[i] = in[i];
        for (std::size_t i = Stride; i < length; ++i) out[i] = byteSum(in[i], out[i - Stride]);
    }

    static void average(const std::uint8_t* in, std::uint8_t* out, const std::uint8_t* above, std::size_t length) {
        const std::size_t first = std::min(Stride, length);
        for (std::size_t i = 0; i < first; ++i) out[i] = byteSum(in[i], above[i] >> 1);
        for (std::size_t i = Stride; i < length; ++i) out[i] = byteSum(in[i], (out[i - Stride] + above[i]) >> 1);
    }

    static void paeth(const std::uint8_t* in, std::uint8_t* out, const std::uint8_t* above, std::size_t length) {
        const std::size_t first = std::min(Stride, length);
        for (std::size_t i = 0; i < first; ++i) out[i] = byteSum(in[i], above[i]);
        for (std::size_t i = Stride; i < length; ++i)
            out[i] = byteSum(in[i], paethPredictor(out[i - Stride], above[i], above[i - Stride]));
    }
};

#if ZD_PNG_SSE2
// Pixels of 2 to 8 bytes (samples of 8 bits and more, so a row is whole
// pixels) one pixel at a time, all its bytes together in the low lanes of an
// SSE2 register.

// Built from whole-register integer moves: going through a small buffer in
// memory would stall every load on the stores just made.
template <std::size_t Stride>
__m128i loadPixel(const std::uint8_t* p) {
    if constexpr (Stride == 8) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    } else if constexpr (Stride == 6) {
        return _mm_unpacklo_epi32(loadPixel<4>(p), loadPixel<2>(p + 4));
    } else {
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < Stride; ++i) bits |= static_cast<std::uint32_t>(p[i]) << (8 * i);
        return _mm_cvtsi32_si128(static_cast<int>(bits));
    }
}

template <std::size_t Stride>
void storePixel(std::uint8_t* p, __m128i pixel) {
    if constexpr (Stride == 8) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), pixel);
    } else if constexpr (Stride == 6) {
        storePixel<4>(p, pixel);
        storePixel<2>(p + 4, _mm_srli_si128(pixel, 4));
    } else {
        const auto bits = static_cast<std::uint32_t>(_mm_cvtsi128_si32(pixel));
        for (std::size_t i = 0; i < Stride; ++i) p[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

__m128i absolute16(__m128i value) { return _mm_max_epi16(value, _mm_sub_epi16(_mm_setzero_si128(), value)); }

// mask ? whenSet : whenClear, lane by lane.
__m128i select(__m128i mask, __m128i whenSet, __m128i whenClear) {
    return _mm_or_si128(_mm_and_si128(mask, whenSet), _mm_andnot_si128(mask, whenClear));
}

template <std::size_t Stride>
struct RowFilters<Stride, true> {
    static void sub(const std::uint8_t* in, std::uint8_t* out, const std::uint8_t*, std::size_t length) {
        __m128i left = _mm_setzero_si128();
        for (std::size_t i = 0; i < length; i += Stride) {
            left = _mm_add_epi8(loadPixel<Stride>(in + i), left);
            storePixel<Stride>(out + i, left);
        }
    }

    static void average(const std::uint8_t* in, std::uint8_t* out, const std::uint8_t* above, std::size_t length) {
        const __m128i lowBit = _mm_set1_epi8(1);
        __m128i left = _mm_setzero_si128();
        for (std::size_t i = 0; i < length; i += Stride) {
            const __m128i up = loadPixel<Stride>(above + i);
            // The rounding-up average minus the bit it rounded: floor((left + up) / 2).
            const __m128i mean =
                _mm_sub_epi8(_mm_avg_epu8(left, up), _mm_and_si128(_mm_xor_si128(left, up), lowBit));
            left = _mm_add_epi8(loadPixel<Stride>(in + i), mean);
            storePixel<Stride>(out + i, left);
        }
    }

    // In 16-bit lanes, where left + up - upLeft cannot overflow; the sum is
    // taken modulo 256 there too, keeping the chain from pixel to pixel short.
    static void paeth(const std::uint8_t* in, std::uint8_t* out, const std::uint8_t* above, std::size_t length) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i lowByte = _mm_set1_epi16(0xFF);
        __m128i left = zero;
        __m128i upLeft = zero;
        for (std::size_t i = 0; i < length; i += Stride) {
            const __m128i up = _mm_unpacklo_epi8(loadPixel<Stride>(above + i), zero);
            const __m128i filtered = _mm_unpacklo_epi8(loadPixel<Stride>(in + i), zero);
            const __m128i upMinusUpLeft = _mm_sub_epi16(up, upLeft);
            const __m128i leftMinusUpLeft = _mm_sub_epi16(left, upLeft);
            const __m128i toLeft = absolute16(upMinusUpLeft);
            const __m128i toUp = absolute16(leftMinusUpLeft);
            const __m128i toUpLeft = absolute16(_mm_add_epi16(upMinusUpLeft, leftMinusUpLeft));
            const __m128i upOrUpLeft = select(_mm_cmpgt_epi16(toUp, toUpLeft), upLeft, up);
            const __m128i notLeft = _mm_or_si128(_mm_cmpgt_epi16(toLeft, toUp), _mm_cmpgt_epi16(toLeft, toUpLeft));
            const __m128i predicted = select(notLeft, upOrUpLeft, left);
            left = _mm_and_si128(_mm_add_epi16(filtered, predicted), lowByte);
            storePixel<Stride>(out + i, _mm_packus_epi16(left, left));
            upLeft = up;
        }
    }
};
#endif

template <std::size_t Stride>
bool unfilterRow(int type, const std::uint8_t* in, std::uint8_t* out, const std::uint8_t* above,
                 std::size_t length) {
    switch (type) {
    case 0: unfilterNone(in, out, length); return true;
    case 1: RowFilters<Stride>::sub(in, out, above, length); return true;
    case 2: unfilterUp(in, out, above, length); return true;
    case 3: RowFilters<Stride>::average(in, out, above, length); return true;
    case 4: RowFilters<Stride>::paeth(in, out, above, length); return true;
    default: return false;
    }
}

Unfilter unfilterFor(std::size_t pixelStride) {
    switch (pixelStride) {
    case 1: return unfilterRow<1>;
    case 2: return unfilterRow<2>;
    case 3: return unfilterRow<3>;
    case 4: return unfilterRow<4>;
    case 6: return unfilterRow<6>;
    default: return unfilterRow<8>;
    }
}

// ---------------------------------------------------------------------------
// Conversion of one unfiltered row of `count` pixels to RGBA, written `step`
// bytes apart from `out` on (4 for whole rows, more for Adam7 passes).

using Convert = void (*)(const PngImage& image, const std::uint8_t* row, std::uint8_t* out,
                         std::size_t count, std::size_t step);

void put(std::uint8_t* out, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
         std::uint8_t alpha) {
    out[0] = red;
    out[1] = green;
    out[2] = blue;
    out[3] = alpha;
}

std::uint8_t keyedAlpha(bool matches) { return matches ? 0 : 255; }

// Sample c of a pixel as a full value: the byte, or the 16-bit big-endian pair.
template <int SampleBytes>
std::int32_t sampleAt(const std::uint8_t* pixel, int c) {
    if constexpr (SampleBytes == 1) return pixel[c];
    else return bigEndian16(pixel + 2 * c);
}

// Palette and grey below 16 bits: indices packed most significant bits first.
template <int Depth>
void convertIndexed(const PngImage& image, const std::uint8_t* row, std::uint8_t* out,
                    std::size_t count, std::size_t step) {
    constexpr std::size_t perByte = 8 / Depth;
    constexpr unsigned mask = (1u << Depth) - 1;
    for (std::size_t x = 0; x < count; ++x, out += step) {
        const unsigned shift = static_cast<unsigned>(8 - Depth * (1 + x % perByte));
        std::memcpy(out, image.colours[(row[x / perByte] >> shift) & mask], 4);
    }
}

void convertGrey16(const PngImage& image, const std::uint8_t* row, std::uint8_t* out,
                   std::size_t count, std::size_t step) {
    for (std::size_t x = 0; x < count; ++x, out += step, row += 2)
        put(out, row[0], row[0], row[0], keyedAlpha(bigEndian16(row) == image.keys[0]));
}

template <int SampleBytes>
void convertRgb(const PngImage& image, const std::uint8_t* row, std::uint8_t* out,
                std::size_t count, std::size_t step) {
    for (std::size_t x = 0; x < count; ++x, out += step, row += 3 * SampleBytes) {
        const bool matches = sampleAt<SampleBytes>(row, 0) == image.keys[0] &&
                             sampleAt<SampleBytes>(row, 1) == image.keys[1] &&
                             sampleAt<SampleBytes>(row, 2) == image.keys[2];
        put(out, row[0], row[SampleBytes], row[2 * SampleBytes], keyedAlpha(matches));
    }
}

template <int SampleBytes>
void convertGreyAlpha(const PngImage&, const std::uint8_t* row, std::uint8_t* out,
                      std::size_t count, std::size_t step) {
    for (std::size_t x = 0; x < count; ++x, out += step, row += 2 * SampleBytes)
        put(out, row[0], row[0], row[0], row[SampleBytes]);
}

template <int SampleBytes>
void convertRgba(const PngImage&, const std::uint8_t* row, std::uint8_t* out, std::size_t count,
                 std::size_t step) {
    for (std::size_t x = 0; x < count; ++x, out += step, row += 4 * SampleBytes)
        put(out, row[0], row[SampleBytes], row[2 * SampleBytes], row[3 * SampleBytes]);
}

Convert convertFor(const PngImage& image) {
    const bool wide = image.bitDepth == 16;
    switch (image.colourType) {
    case 2: return wide ? convertRgb<2> : convertRgb<1>;
    case 4: return wide ? convertGreyAlpha<2> : convertGreyAlpha<1>;
    case 6: return wide ? convertRgba<2> : convertRgba<1>;
    default: break;
    }
    switch (image.bitDepth) {
    case 1: return convertIndexed<1>;
    case 2: return convertIndexed<2>;
    case 4: return convertIndexed<4>;
    case 8: return convertIndexed<8>;
    default: return convertGrey16;
    }
}

// Inflated rows are handled in batches of about this many bytes.
constexpr std::size_t batchBytes = std::size_t{1} << 18;

void writeBlockHeader(const PngImage& image, Bytes& block) {
    const std::uint32_t packed = image.width * 8 + 4;
    block[0] = static_cast<std::uint8_t>(packed);
    block[1] = static_cast<std::uint8_t>(packed >> 8);
    block[2] = static_cast<std::uint8_t>(image.height);
    block[3] = static_cast<std::uint8_t>(image.height >> 8);
}

// Inflates, unfilters and converts the rows pass by pass from the top, and
// writes their pixels into the block, bottom row first. The block is taken
// once the first rows have inflated, so that a broken stream costs none of
// it. In `slots`, slot 0 holds the row above the batch (zeros above a pass's
// first row) and slots 1 to n the batch, each a filter byte and a row.
// RGBA rows of 8-bit samples are unfiltered straight into the block, their
// final place, with the row above them in the block.
// Returns PngOk, PngBadFilterType, or PngWrongDataSize when the stream gave
// out early (what Inflater::finish reports then is the error to tell).
int decodeRows(const PngImage& image, Inflater& inflater, std::vector<std::uint8_t>& slots, Bytes& block) {
    const Unfilter unfilter = unfilterFor(image.pixelStride);
    const Convert convert = convertFor(image);
    const std::size_t batchRows = slots.size() / (rowBytes(image, image.width) + 1) - 1;
    const std::size_t outRowBytes = std::size_t{image.width} * 4;
    const bool direct = image.colourType == 6 && image.bitDepth == 8 && image.interlace == 0;
    const Passes passes = passesOf(image);
    for (int p = 0; p < passes.count; ++p) {
        const Pass& pass = passes.first[p];
        const std::size_t columns = passCount(image.width, pass.firstColumn, pass.columnStep);
        const std::size_t rows = passCount(image.height, pass.firstRow, pass.rowStep);
        if (columns == 0) continue;
        const std::size_t slot = rowBytes(image, columns) + 1;
        std::fill_n(slots.begin(), slot, std::uint8_t{0});
        for (std::size_t j = 0; j < rows;) {
            const std::size_t count = std::min(batchRows, rows - j);
            if (!inflater.read(&slots[slot], count * slot)) return PngWrongDataSize;
            if (block.empty()) {
                block.resize(4 + outRowBytes * image.height);
                writeBlockHeader(image, block);
            }
            for (std::size_t k = 1; k <= count; ++k, ++j) {
                std::uint8_t* row = &slots[k * slot + 1];
                const std::size_t y = pass.firstRow + j * pass.rowStep;
                std::uint8_t* out = &block[4 + (image.height - 1 - y) * outRowBytes + pass.firstColumn * 4];
                if (direct) {
                    // The row above lies one block row further on; above the top row, zeros.
                    if (!unfilter(row[-1], row, out, y > 0 ? out + outRowBytes : row - slot, slot - 1))
                        return PngBadFilterType;
                    continue;
                }
                if (!unfilter(row[-1], row, row, row - slot, slot - 1)) return PngBadFilterType;
                convert(image, row, out, columns, pass.columnStep * 4);
            }
            std::copy_n(&slots[count * slot], slot, slots.begin());
        }
    }
    return PngOk;
}

// ---------------------------------------------------------------------------
// The whole decode

int readImage(ByteReader& file, PngImage& image, ChunkScan& scan) {
    if (!signatureMatches(file)) return PngBadSignature;
    Chunk header;
    int error = readChunk(file, header);
    if (error == PngOk) error = readHeader(header, image);
    if (error == PngOk) error = scanChunks(file, scan);
    if (error == PngOk) error = readPalette(scan, image);
    if (error == PngOk) error = readTransparency(scan, image);
    if (error == PngOk && scan.dataLength == 0) error = PngNoData;
    if (error == PngOk) makeGreyRamp(image);
    return error;
}

int decode(const std::uint8_t* file, std::size_t size, int requestedBits, Bytes& block) {
    if (requestedBits != 32 && requestedBits != 24) return PngBadRequestedBits;
    ByteReader reader(file, size);
    PngImage image;
    ChunkScan scan;
    const int error = readImage(reader, image, scan);
    if (error != PngOk) return error;
    Inflater inflater(scan);
    if (!inflater.ready()) return PngNoMemory;
    const std::size_t slot = rowBytes(image, image.width) + 1;
    const std::size_t batchRows = std::clamp<std::size_t>(batchBytes / slot, 1, image.height);
    std::vector<std::uint8_t> slots((batchRows + 1) * slot);
    const int rowsError = decodeRows(image, inflater, slots, block);
    // A broken or mis-sized stream is told before a bad filter type.
    const int streamError = inflater.finish(expectedDataSize(image), slots.data(), slots.size());
    return streamError != PngOk ? streamError : rowsError;
}

bool finish(int error, Bytes& image) {
    pngDecoder.pngError = error;
    if (error != PngOk) Bytes().swap(image);
    return error == PngOk;
}

}  // namespace

bool decodePngData(const std::uint8_t* file, std::size_t size, int requestedBits, Bytes& image) {
    image.clear();
    return finish(decode(file, size, requestedBits, image), image);
}

bool decodePng(const std::string& path, int requestedBits, Bytes& image) {
    image.clear();
    if (requestedBits != 32 && requestedBits != 24) return finish(PngBadRequestedBits, image);
    Bytes file;
    if (!readFile(path, file)) return finish(PngCannotOpen, image);
    return decodePngData(file.data(), file.size(), requestedBits, image);
}

const char* pngErrorText(int code) {
    switch (code) {
    case PngOk: return "no error";
    case PngBadRequestedBits: return "requested bits per pixel not 24 or 32";
    case PngCannotOpen: return "file cannot be opened";
    case PngChunkCutShort: return "chunk cut short";
    case PngBadSignature: return "not a PNG file (signature wrong)";
    case PngNoMemory: return "no memory for a chunk or for inflating";
    case PngBadCrc: return "chunk CRC wrong";
    case PngFirstNotIhdr: return "first chunk not IHDR";
    case PngBadIhdrLength: return "IHDR length not 13";
    case PngZeroSize: return "width or height 0";
    case PngBadBitDepth: return "bit depth not allowed for the colour type";
    case PngBadColourType: return "unknown colour type";
    case PngBadCompression: return "compression method not 0";
    case PngBadFilterMethod: return "filter method not 0";
    case PngBadInterlace: return "interlace method above 1";
    case PngTooFewChunks: return "fewer than two chunks after IHDR";
    case PngNoIend: return "last chunk not IEND";
    case PngNoPalette: return "palette image without PLTE";
    case PngNoData: return "no IDAT data";
    case PngInflateFailed: return "compressed data broken (zlib error)";
    case PngWrongDataSize: return "inflated data not of the expected size";
    case PngBadFilterType: return "unknown filter type in a row";
    case PngTrnsWithAlpha: return "tRNS in an image with an alpha channel";
    case PngBadTrnsLength: return "tRNS of the wrong length for the colour type";
    case PngTooLarge: return "wider than 8191 or higher than 65535 pixels";
    case PngTooManyPixels: return "more than 16777216 pixels";
    default: return "unknown error";
    }
}
