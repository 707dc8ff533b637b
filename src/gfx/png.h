// The game's PNG decoder: owns the last decoder error code and turns a PNG
// file into one block of 32-bit RGBA pixels for the texture manager.
//
// Accepted: colour types 0 (grey: 1, 2, 4, 8, 16 bits), 2 (RGB: 8, 16),
// 3 (palette: 1, 2, 4, 8), 4 (grey + alpha: 8, 16) and 6 (RGBA: 8, 16), not
// interlaced or Adam7, with tRNS for grey, RGB and palette images. Only what a
// texture needs is decoded: gamma, colour-space and text chunks are read,
// checked by CRC and ignored. 16-bit samples keep their high byte; a tRNS key
// is compared with the full sample value.
//
// The block (`Bytes`):
//   0  u16 little-endian  width * 8 + 4 (the 4 = bytes per pixel)
//   2  u16 little-endian  height
//   4  width * height * 4 bytes R, G, B, A; the bottom row of the picture
//      first, left to right within a row.
//
// Limits the block and memory impose (rejected, never wrapped):
//   - width above 8191 or height above 65535 (the header cannot hold them):
//     error 26;
//   - more than 16,777,216 pixels (4096 x 4096): error 27. This caps what any
//     file, however small, can make the decoder take (the block, at most
//     64 MB, and about 256 KB of rows being decoded; the block is only taken
//     once the first rows inflate) and keeps every byte count far inside
//     32 bits.
//   - a chunk length above PNG's own maximum of 2^31 - 1 is a buffer the
//     decoder refuses to take: error 5 (a shorter length that runs past the
//     end of the file is a chunk cut short: error 3).
// A PLTE of more than 256 entries or a palette tRNS longer than 256 bytes is
// cut to 256: an 8-bit index cannot reach further, so nothing is lost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files.h"

// Decoder error codes (0 = success). 19 and 23 are not used.
enum PngErrorCode : int {
    PngOk = 0,
    PngBadRequestedBits = 1,    // requested bits per pixel not 24 or 32
    PngCannotOpen = 2,          // file cannot be opened (or read)
    PngChunkCutShort = 3,       // chunk cut short (length, type, data or CRC)
    PngBadSignature = 4,        // PNG signature wrong
    PngNoMemory = 5,            // no memory: a chunk longer than PNG allows, or zlib could not start
    PngBadCrc = 6,              // chunk CRC wrong
    PngFirstNotIhdr = 7,        // first chunk not IHDR
    PngBadIhdrLength = 8,       // IHDR length not 13
    PngZeroSize = 9,            // width or height 0
    PngBadBitDepth = 10,        // bit depth not allowed for the colour type
    PngBadColourType = 11,      // unknown colour type
    PngBadCompression = 12,     // compression method not 0
    PngBadFilterMethod = 13,    // filter method not 0
    PngBadInterlace = 14,       // interlace method above 1
    PngTooFewChunks = 15,       // fewer than two chunks after IHDR
    PngNoIend = 16,             // last chunk not IEND
    PngNoPalette = 17,          // palette image without PLTE
    PngNoData = 18,             // no IDAT data
    PngInflateFailed = 20,      // zlib reported an error
    PngWrongDataSize = 21,      // inflated data not of the expected size
    PngBadFilterType = 22,      // unknown filter type in a row
    PngTrnsWithAlpha = 24,      // tRNS in an image with an alpha channel
    PngBadTrnsLength = 25,      // tRNS of the wrong length for grey (2) or RGB (6)
    PngTooLarge = 26,           // width above 8191 or height above 65535
    PngTooManyPixels = 27,      // more than pngMaxPixels pixels
};

constexpr std::uint32_t pngMaxWidth = 8191;
constexpr std::uint32_t pngMaxHeight = 65535;
constexpr std::uint64_t pngMaxPixels = 4096u * 4096u;

struct PngState {
    int pngError = PngOk;  // code of the last decode, 0 = success
};

extern PngState pngDecoder;

// Decodes the PNG file at `path` into `image` (the block above). The requested
// bits per pixel must be 32 or 24; both give the 32-bit block. Returns false
// with `image` empty and pngDecoder.pngError set on failure.
bool decodePng(const std::string& path, int requestedBits, Bytes& image);

// The same for a PNG file already in memory (decodePng reads the file and
// calls this); never reads outside [file, file + size).
bool decodePngData(const std::uint8_t* file, std::size_t size, int requestedBits, Bytes& image);

// The CRC-32 of PNG (and zlib): polynomial 0xEDB88320, reflected, inverted
// before and after. Start with 0 and pass the previous result to continue
// over several buffers: crc32(crc32(0, a, n), b, m) == crc32(0, a + b, n + m).
// (zlib.h declares a C crc32 as well; a std::size_t count picks this one.)
std::uint32_t crc32(std::uint32_t running, const std::uint8_t* bytes, std::size_t count);

// What an error code means, in a few words ("unknown error" for others).
const char* pngErrorText(int code);
