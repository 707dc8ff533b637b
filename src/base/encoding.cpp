#include "base/encoding.h"

#include <cstdint>

namespace {
// Code points of bytes 0x80..0x9F; 0 where Windows-1252 defines nothing.
const std::uint32_t highControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int windows1252ByteOf(std::uint32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i)
        if (highControls[i] != 0 && highControls[i] == codePoint) return 0x80 + i;
    return -1;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
}  // namespace

std::string utf8ToWindows1252(const std::string& utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) {
            ++i;  // a stray or cut byte: skip it
            continue;
        }
        std::uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        bool wellFormed = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) wellFormed = false;
            cp = cp << 6 | (next & 0x3F);
        }
        i += wellFormed ? static_cast<std::size_t>(length) : 1;
        if (!wellFormed) continue;
        const int byte = windows1252ByteOf(cp);
        if (byte >= 0) out += static_cast<char>(byte);
    }
    return out;
}

std::string windows1252ToUtf8(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        std::uint32_t cp = byte;
        if (byte >= 0x80 && byte <= 0x9F) cp = highControls[byte - 0x80] ? highControls[byte - 0x80] : 0xFFFD;
        appendUtf8(out, cp);
    }
    return out;
}
