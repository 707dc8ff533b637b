// Binary reading and writing for every file format of the game: little-endian
// (big-endian only where a foreign format such as PNG demands it).
//
// ByteReader trusts nothing: each read checks the bytes left, and the first
// failed read makes the reader fail for good (later reads return zeros), so a
// loader can read field after field and ask ok() once. Strings are a 32-bit
// byte count followed by the bytes; a count that is negative, above the
// caller's cap or beyond the data fails the reader before anything is taken.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ByteReader {
public:
    ByteReader(const std::uint8_t* bytes, std::size_t length) : data(bytes), size(length) {}
    explicit ByteReader(const std::vector<std::uint8_t>& bytes)
        : data(bytes.data()), size(bytes.size()) {}

    std::uint8_t u8();
    std::int32_t i32();
    std::uint32_t u32();
    std::uint64_t u64();
    float f32();
    double f64();
    std::string text(std::size_t length);          // exactly `length` raw bytes
    std::string lengthPrefixed(std::size_t cap);   // i32 count, then the bytes
    std::uint32_t u32BigEndian();
    // The next `length` bytes in place (valid while the data lives), or
    // nullptr when fewer are left.
    const std::uint8_t* view(std::size_t length);

    // Marks the reader failed (for a value the caller found out of range).
    void fail() { failed = true; }

    bool ok() const { return !failed; }
    std::size_t remaining() const { return failed ? 0 : size - position; }
    std::size_t offset() const { return position; }

private:
    bool take(std::size_t count, const std::uint8_t*& start);

    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
    bool failed = false;
};

class ByteWriter {
public:
    void u8(std::uint8_t value) { buffer.push_back(value); }
    void i32(std::int32_t value);
    void u32(std::uint32_t value);
    void u64(std::uint64_t value);
    void f32(float value);
    void f64(double value);
    void text(const std::string& bytes);            // raw bytes, no count
    void lengthPrefixed(const std::string& bytes);  // i32 count, then the bytes

    const std::vector<std::uint8_t>& bytes() const { return buffer; }

private:
    std::vector<std::uint8_t> buffer;
};
