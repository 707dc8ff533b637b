#include "text_syntax.h"

#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/encoding.h"

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Takes the UTF-8 character starting at line[i] and appends its
// Windows-1252 byte; advances i past it.
bool takeCharacter(const std::string& line, std::size_t& i, std::string& out, std::string& error) {
    const auto lead = static_cast<unsigned char>(line[i]);
    if (lead < 0x80) {
        out += line[i++];
        return true;
    }
    const std::size_t length = (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > line.size()) {
        error = "column " + std::to_string(i + 1) + ": not UTF-8 text";
        return false;
    }
    const std::string converted = utf8ToWindows1252(line.substr(i, length));
    if (converted.size() != 1) {
        error = "column " + std::to_string(i + 1) + ": \"" + line.substr(i, length) +
                "\" is not UTF-8 or has no Windows-1252 form (write it as \\xHH)";
        return false;
    }
    out += converted;
    i += length;
    return true;
}

bool readQuoted(const std::string& line, std::size_t& i, std::string& out, std::string& error) {
    const std::size_t start = i++;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '"') {
            ++i;
            if (i < line.size() && !isBlank(line[i])) {
                error = "column " + std::to_string(i + 1) + ": a blank must follow a quoted string";
                return false;
            }
            return true;
        }
        if (c != '\\') {
            if (!takeCharacter(line, i, out, error)) return false;
            continue;
        }
        const char escape = i + 1 < line.size() ? line[i + 1] : '\0';
        if (escape == '\\' || escape == '"') {
            out += escape;
            i += 2;
        } else if (escape == 'n' || escape == 't' || escape == 'r') {
            out += escape == 'n' ? '\n' : escape == 't' ? '\t' : '\r';
            i += 2;
        } else if (escape == 'x' && i + 3 < line.size() && hexValue(line[i + 2]) >= 0 &&
                   hexValue(line[i + 3]) >= 0) {
            out += static_cast<char>(hexValue(line[i + 2]) * 16 + hexValue(line[i + 3]));
            i += 4;
        } else {
            error = "column " + std::to_string(i + 1) +
                    ": unknown escape (use \\\\, \\\", \\n, \\t, \\r or \\xHH)";
            return false;
        }
    }
    error = "column " + std::to_string(start + 1) + ": the quoted string has no closing quote";
    return false;
}

// Bytes that a quoted word shows as themselves; everything else is escaped.
bool showsAsItself(unsigned char byte) {
    if (byte < 0x20 || byte == 0x7F || byte == 0xA0 || byte == 0xAD) return false;
    if (byte >= 0x80 && byte <= 0x9F) return windows1252ToUtf8(std::string(1, static_cast<char>(byte))) != "\xEF\xBF\xBD";
    return true;
}
}  // namespace

bool splitLine(const std::string& line, std::vector<TextWord>& words, std::string& error) {
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        TextWord word;
        word.column = static_cast<int>(i) + 1;
        if (line[i] == '"') {
            if (!readQuoted(line, i, word.text, error)) return false;
        } else {
            while (i < line.size() && !isBlank(line[i])) {
                if (line[i] == '"') {
                    error = "column " + std::to_string(i + 1) + ": a quote inside a word (quote the whole word)";
                    return false;
                }
                if (!takeCharacter(line, i, word.text, error)) return false;
            }
        }
        words.push_back(word);
    }
    return true;
}

std::string quotedWord(const std::string& bytes) {
    std::string out = "\"";
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (showsAsItself(byte)) {
            out += windows1252ToUtf8(std::string(1, c));
        } else {
            static const char digits[] = "0123456789ABCDEF";
            out += "\\x";
            out += digits[byte >> 4];
            out += digits[byte & 15];
        }
    }
    return out + "\"";
}

std::string wordFor(const std::string& bytes) {
    if (bytes.empty() || bytes[0] == '#') return quotedWord(bytes);
    for (char c : bytes)
        if (c <= ' ' || c > '~' || c == '"' || c == '\\') return quotedWord(bytes);
    return bytes;
}

std::string numberWord(double value) {
    char buffer[64];
    if (std::isnan(value)) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        std::snprintf(buffer, sizeof buffer, "0x%016llX", static_cast<unsigned long long>(bits));
        return buffer;
    }
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool readNumber(const std::string& word, double& value) {
    if (word.size() == 18 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        std::uint64_t bits = 0;
        for (std::size_t i = 2; i < word.size(); ++i) {
            const int digit = hexValue(word[i]);
            if (digit < 0) return false;
            bits = bits << 4 | static_cast<std::uint64_t>(digit);
        }
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }
    const char* end = word.data() + word.size();
    // from_chars also takes "nan"; a NaN must come as raw bits so that the
    // stored bits are the ones meant.
    std::string lower = word;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.find("nan") != std::string::npos) return false;
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool readInt32(const std::string& word, std::int32_t& value) {
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}
