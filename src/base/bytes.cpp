#include "base/bytes.h"

#include <cstring>

bool ByteReader::take(std::size_t count, const std::uint8_t*& start) {
    if (failed || count > size - position) {
        failed = true;
        return false;
    }
    start = data + position;
    position += count;
    return true;
}

std::uint8_t ByteReader::u8() {
    const std::uint8_t* p = nullptr;
    return take(1, p) ? p[0] : 0;
}

const std::uint8_t* ByteReader::view(std::size_t length) {
    const std::uint8_t* p = nullptr;
    return take(length, p) ? p : nullptr;
}

std::uint32_t ByteReader::u32() {
    const std::uint8_t* p = nullptr;
    if (!take(4, p)) return 0;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint32_t ByteReader::u32BigEndian() {
    const std::uint8_t* p = nullptr;
    if (!take(4, p)) return 0;
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

std::uint64_t ByteReader::u64() {
    const std::uint64_t low = u32();
    const std::uint64_t high = u32();
    return failed ? 0 : low | high << 32;
}

std::int32_t ByteReader::i32() { return static_cast<std::int32_t>(u32()); }

float ByteReader::f32() {
    const std::uint32_t bits = u32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double ByteReader::f64() {
    const std::uint64_t low = u32();
    const std::uint64_t high = u32();
    const std::uint64_t bits = low | high << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return failed ? 0.0 : value;
}

std::string ByteReader::text(std::size_t length) {
    const std::uint8_t* p = nullptr;
    if (!take(length, p)) return "";
    return std::string(reinterpret_cast<const char*>(p), length);
}

std::string ByteReader::lengthPrefixed(std::size_t cap) {
    const std::int32_t length = i32();
    if (length < 0 || static_cast<std::size_t>(length) > cap) {
        failed = true;
        return "";
    }
    return text(static_cast<std::size_t>(length));
}

void ByteWriter::u32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        buffer.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::u64(std::uint64_t value) {
    u32(static_cast<std::uint32_t>(value));
    u32(static_cast<std::uint32_t>(value >> 32));
}

void ByteWriter::i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }

void ByteWriter::f32(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    u32(bits);
}

void ByteWriter::f64(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    u32(static_cast<std::uint32_t>(bits));
    u32(static_cast<std::uint32_t>(bits >> 32));
}

void ByteWriter::text(const std::string& bytes) { buffer.insert(buffer.end(), bytes.begin(), bytes.end()); }

void ByteWriter::lengthPrefixed(const std::string& bytes) {
    i32(static_cast<std::int32_t>(bytes.size()));
    text(bytes);
}
