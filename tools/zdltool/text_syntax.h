// The words of the tool's text files. A line is split into words: a bare word
// runs to the next blank, a quoted string runs to the next unescaped quote
// (escapes: \\ \" \n \t \r and \xHH for any byte), and "#" at the start of a
// word begins a comment. Files are UTF-8; the words come back as the game's
// Windows-1252 bytes, so that a level title such as "Über" is stored as the
// game shows it. Numbers are written in the shortest form that reads back to
// the same double, so text round trips are exact.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TextWord {
    std::string text;  // Windows-1252 bytes, escapes resolved
    int column = 0;    // 1-based column of its first character in the line
};

// Splits one line (without its line break) into words. False with a message
// for an unterminated string, a bad escape, or a character that is not UTF-8
// or has no Windows-1252 form.
bool splitLine(const std::string& line, std::vector<TextWord>& words, std::string& error);

// A word that reads back as exactly `bytes`: bare when it can be, else quoted.
std::string wordFor(const std::string& bytes);

// Always the quoted form of `bytes`.
std::string quotedWord(const std::string& bytes);

// The shortest decimal that reads back as exactly `value` ("-0", "inf",
// "1e+300"); a NaN is written as "0x" and the 16 hex digits of its bits,
// since its payload has no decimal form.
std::string numberWord(double value);

// Reads a number written by numberWord or by hand (decimal, "inf", "-inf",
// or "0x" with exactly 16 hex digits of raw bits). The whole word must be used.
bool readNumber(const std::string& word, double& value);

// A decimal 32-bit integer, the whole word.
bool readInt32(const std::string& word, std::int32_t& value);
