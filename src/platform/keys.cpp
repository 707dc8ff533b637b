#include "platform/keys.h"

// BIOS extended codes: F1..F10 run in blocks of ten, F11 and F12 sit apart.
namespace {
std::string functionKeyFrom(int number, int firstOfTen, int f11) {
    if (number >= 1 && number <= 10) return specialKey(firstOfTen + number - 1);
    if (number == 11 || number == 12) return specialKey(f11 + number - 11);
    return "";
}
}  // namespace

std::string functionKey(int number) { return functionKeyFrom(number, 59, 133); }
std::string shiftFunctionKey(int number) { return functionKeyFrom(number, 84, 135); }
std::string ctrlFunctionKey(int number) { return functionKeyFrom(number, 94, 137); }
std::string altFunctionKey(int number) { return functionKeyFrom(number, 104, 139); }
