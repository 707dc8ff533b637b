#include "platform/text_screen.h"

#include <SDL2/SDL.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

#include "platform/text_font.inc"

// The 16 colours of the PC text palette, in palette order.
const std::uint32_t palette[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                                   0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                                   0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
// ANSI foreground codes of the same colours.
const int ansiColours[16] = {30, 34, 32, 36, 31, 35, 33, 37, 90, 94, 92, 96, 91, 95, 93, 97};

constexpr int FirstCharacter = 32;
constexpr std::size_t FontCellPixels = TextFontCellWidth * TextFontCellHeight;

int paletteIndex(int colour) { return colour >= 0 && colour < 16 ? colour : 7; }

// The font's cells unpacked, coverage 0..15; empty if the table does not
// unpack (then the screen shows no letters, and the terminal still has them).
const std::vector<std::uint8_t>& fontCells() {
    static const std::vector<std::uint8_t> cells = [] {
        std::vector<std::uint8_t> out(FontCellPixels * TextFontCharacters);
        uLongf size = static_cast<uLongf>(out.size());
        if (uncompress(out.data(), &size, textFontPacked, sizeof textFontPacked) != Z_OK || size != out.size())
            out.clear();
        return out;
    }();
    return cells;
}

// How much of each source pixel falls into each of `to` target pixels when a
// row of `from` pixels is squeezed or stretched to `to`: weights[t * from + s],
// each target's weights summing to 1.
std::vector<double> areaWeights(int from, int to) {
    std::vector<double> weights(static_cast<std::size_t>(from) * to, 0.0);
    const double step = static_cast<double>(from) / to;
    for (int t = 0; t < to; ++t) {
        const double a = t * step, b = (t + 1) * step;
        for (int s = static_cast<int>(a); s < from && s < b; ++s) {
            const double overlap = std::min<double>(s + 1, b) - std::max<double>(s, a);
            if (overlap > 0) weights[static_cast<std::size_t>(t) * from + s] = overlap / step;
        }
    }
    return weights;
}

// Every character's cell at the layout's size, coverage 0..1, by averaging
// the font's pixels over the area each target pixel covers.
std::vector<double> scaledCells(int width, int height) {
    const std::vector<std::uint8_t>& font = fontCells();
    const std::size_t cellPixels = static_cast<std::size_t>(width) * height;
    std::vector<double> cells(cellPixels * TextFontCharacters, 0.0);
    if (font.empty()) return cells;
    const std::vector<double> across = areaWeights(TextFontCellWidth, width);
    const std::vector<double> down = areaWeights(TextFontCellHeight, height);
    std::vector<double> rows(static_cast<std::size_t>(TextFontCellHeight) * width);
    for (int c = 0; c < TextFontCharacters; ++c) {
        const std::uint8_t* source = &font[static_cast<std::size_t>(c) * FontCellPixels];
        for (int sy = 0; sy < TextFontCellHeight; ++sy)
            for (int x = 0; x < width; ++x) {
                double sum = 0;
                for (int sx = 0; sx < TextFontCellWidth; ++sx)
                    sum += across[static_cast<std::size_t>(x) * TextFontCellWidth + sx] *
                           source[sy * TextFontCellWidth + sx];
                rows[static_cast<std::size_t>(sy) * width + x] = sum / 15.0;
            }
        double* target = &cells[static_cast<std::size_t>(c) * cellPixels];
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                double sum = 0;
                for (int sy = 0; sy < TextFontCellHeight; ++sy)
                    sum += down[static_cast<std::size_t>(y) * TextFontCellHeight + sy] *
                           rows[static_cast<std::size_t>(sy) * width + x];
                target[static_cast<std::size_t>(y) * width + x] = std::min(sum, 1.0);
            }
    }
    return cells;
}

std::uint32_t shade(std::uint32_t rgb, double coverage) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double channel = static_cast<double>((rgb >> shift) & 0xFF) * coverage;
        out |= static_cast<std::uint32_t>(std::lround(channel)) << shift;
    }
    return out;
}

// Opens a window showing the pixels until a key is pressed or the window is
// closed. False when no window could be opened.
bool showPixelsUntilKey(const std::vector<std::uint32_t>& pixels, int width, int height) {
    SDL_Window* window = SDL_CreateWindow("Zindrop 7", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          width, height, 0);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                                        SDL_TEXTUREACCESS_STATIC, width, height)
                                    : nullptr;
    const bool shown = texture != nullptr;
    if (shown) {
        SDL_UpdateTexture(texture, nullptr, pixels.data(), width * 4);
        SDL_Event event;
        bool waiting = true;
        while (waiting) {
            SDL_RenderClear(renderer);
            SDL_RenderCopy(renderer, texture, nullptr, nullptr);
            SDL_RenderPresent(renderer);
            if (SDL_WaitEvent(&event) == 0) break;
            waiting = event.type != SDL_KEYDOWN && event.type != SDL_QUIT;
        }
    }
    if (texture) SDL_DestroyTexture(texture);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (window) SDL_DestroyWindow(window);
    return shown;
}

}  // namespace

TextScreenLayout textScreenLayout(int desktopWidth, int desktopHeight) {
    // The window is 26 cells high (the border takes half a cell on each side)
    // and 40 cells plus one cell height wide.
    const int byHeight = desktopHeight * 4 / 5 / (TextRows + 1);
    const int byWidth = desktopWidth * 9 / 10 * 3 / (2 * TextColumns + 3);
    TextScreenLayout layout;
    layout.cellHeight = std::max(9, std::min(byHeight, byWidth));
    layout.cellWidth = std::max(6, (layout.cellHeight * 2 + 1) / 3);
    layout.border = layout.cellHeight / 2;
    return layout;
}

std::vector<std::uint32_t> renderTextScreen(int row, const std::vector<TextLine>& lines,
                                            const TextScreenLayout& layout) {
    const int width = layout.width();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * layout.height(), palette[0]);
    const std::vector<double> cells = scaledCells(layout.cellWidth, layout.cellHeight);
    const std::size_t cellPixels = static_cast<std::size_t>(layout.cellWidth) * layout.cellHeight;
    int gridRow = row - 1;
    for (const TextLine& line : lines) {
        if (gridRow >= 0 && gridRow < TextRows) {
            const std::uint32_t rgb = palette[paletteIndex(line.colour)];
            for (std::size_t i = 0; i < line.text.size() && i < TextColumns; ++i) {
                const int code = static_cast<unsigned char>(line.text[i]) - FirstCharacter;
                if (code < 0 || code >= TextFontCharacters) continue;  // the error texts are plain ASCII
                const double* cell = &cells[static_cast<std::size_t>(code) * cellPixels];
                const int left = layout.border + static_cast<int>(i) * layout.cellWidth;
                const int top = layout.border + gridRow * layout.cellHeight;
                for (int y = 0; y < layout.cellHeight; ++y)
                    for (int x = 0; x < layout.cellWidth; ++x) {
                        const double coverage = cell[static_cast<std::size_t>(y) * layout.cellWidth + x];
                        if (coverage > 0)
                            pixels[static_cast<std::size_t>(top + y) * width + left + x] = shade(rgb, coverage);
                    }
            }
        }
        ++gridRow;
    }
    return pixels;
}

std::string textScreenForTerminal(int row, const std::vector<TextLine>& lines) {
    std::string out;
    for (int r = 1; r < row; ++r) out += "\n";
    for (const TextLine& line : lines)
        out += "\x1b[" + std::to_string(ansiColours[paletteIndex(line.colour)]) + "m" + line.text + "\x1b[0m\n";
    return out;
}

void showTextScreenWindow(int row, const std::vector<TextLine>& lines) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        // The usable area leaves out panels and docks; a platform that cannot
        // tell has its whole desktop.
        SDL_Rect desktop{0, 0, 0, 0};
        if (SDL_GetDisplayUsableBounds(0, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0) {
            SDL_DisplayMode mode;
            if (SDL_GetDesktopDisplayMode(0, &mode) == 0) desktop = {0, 0, mode.w, mode.h};
            else desktop = {0, 0, 640, 480};
        }
        const TextScreenLayout layout = textScreenLayout(desktop.w, desktop.h);
        if (showPixelsUntilKey(renderTextScreen(row, lines, layout), layout.width(), layout.height())) return;
    }
    std::fputs(textScreenForTerminal(row, lines).c_str(), stdout);
    std::fflush(stdout);
    if (::isatty(STDIN_FILENO)) (void)std::getchar();
}
