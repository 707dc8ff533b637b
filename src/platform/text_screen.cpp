#include "platform/text_screen.h"

#include <SDL2/SDL.h>
#include <unistd.h>

#include <cstdio>

namespace {

#include "platform/text_font8x8.inc"

// The 16 colours of the PC text palette, in palette order.
const std::uint32_t palette[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                                   0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                                   0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
// ANSI foreground codes of the same colours.
const int ansiColours[16] = {30, 34, 32, 36, 31, 35, 33, 37, 90, 94, 92, 96, 91, 95, 93, 97};

int paletteIndex(int colour) { return colour >= 0 && colour < 16 ? colour : 7; }

void drawCharacter(std::vector<std::uint32_t>& pixels, int column, int row, char c, std::uint32_t rgb) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || code > 126) return;  // the error texts are plain ASCII
    const unsigned char* cell = textFont8x8[code - 32];
    for (int y = 0; y < TextCell; ++y)
        for (int x = 0; x < TextCell; ++x)
            if (cell[y] & (0x80 >> x))
                pixels[static_cast<std::size_t>((row * TextCell + y) * TextColumns * TextCell +
                                                column * TextCell + x)] = rgb;
}

// Opens a window showing the pixels, scaled up twice, until a key is pressed
// or the window is closed. False when no window could be opened.
bool showPixelsUntilKey(const std::vector<std::uint32_t>& pixels) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    const int width = TextColumns * TextCell, height = TextRows * TextCell;
    SDL_Window* window = SDL_CreateWindow("Zindrop 7", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          width * 2, height * 2, 0);
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

std::vector<std::uint32_t> renderTextScreen(int row, const std::vector<TextLine>& lines) {
    std::vector<std::uint32_t> pixels(TextColumns * TextCell * TextRows * TextCell, palette[0]);
    int gridRow = row - 1;
    for (const TextLine& line : lines) {
        if (gridRow >= 0 && gridRow < TextRows) {
            const std::uint32_t rgb = palette[paletteIndex(line.colour)];
            for (std::size_t i = 0; i < line.text.size() && i < TextColumns; ++i)
                drawCharacter(pixels, static_cast<int>(i), gridRow, line.text[i], rgb);
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
    if (showPixelsUntilKey(renderTextScreen(row, lines))) return;
    std::fputs(textScreenForTerminal(row, lines).c_str(), stdout);
    std::fflush(stdout);
    if (::isatty(STDIN_FILENO)) (void)std::getchar();
}
