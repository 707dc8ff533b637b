#include "platform/text_screen.h"

#include <unistd.h>

#include <cstdio>

namespace {
// ANSI foreground codes of the 16 text-palette colours, in palette order.
const int ansiColours[16] = {30, 34, 32, 36, 31, 35, 33, 37, 90, 94, 92, 96, 91, 95, 93, 97};
}  // namespace

std::string textScreenForTerminal(int row, const std::vector<TextLine>& lines) {
    std::string out;
    for (int r = 1; r < row; ++r) out += "\n";
    for (const TextLine& line : lines) {
        const int colour = line.colour >= 0 && line.colour < 16 ? line.colour : 7;
        out += "\x1b[" + std::to_string(ansiColours[colour]) + "m" + line.text + "\x1b[0m\n";
    }
    return out;
}

void showTextScreenWindow(int row, const std::vector<TextLine>& lines) {
    const std::string text = textScreenForTerminal(row, lines);
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    if (::isatty(STDIN_FILENO)) (void)std::getchar();
}
