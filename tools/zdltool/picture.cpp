// zdltool picture FILE.png [-o OUT.pam]: decodes a picture exactly as the game
// does and tells its size or the decoder's error; with -o it also writes the
// decoded pixels as a PAM file (RGB_ALPHA, top row first) for any image viewer.
#include <cstdio>
#include <string>

#include "arguments.h"
#include "gfx/png.h"
#include "platform/files.h"

namespace {

Bytes pamOf(const Bytes& block) {
    const std::size_t width = (block[0] | block[1] << 8) >> 3;
    const std::size_t height = block[2] | block[3] << 8;
    const std::string header = "P7\nWIDTH " + std::to_string(width) + "\nHEIGHT " + std::to_string(height) +
                               "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    Bytes pam(header.begin(), header.end());
    const std::size_t rowBytes = width * 4;
    // The block holds the bottom row first; PAM wants the top row first.
    for (std::size_t y = height; y-- > 0;) {
        const auto row = block.begin() + 4 + static_cast<std::ptrdiff_t>(y * rowBytes);
        pam.insert(pam.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return pam;
}

int runPicture(const Arguments& arguments) {
    std::string path;
    std::string output;
    if (!inputAndOutput(arguments, path, output)) {
        std::fprintf(stderr, "usage: zdltool picture FILE.png [-o OUT.pam]\n");
        return 2;
    }
    Bytes block;
    if (!decodePng(path, 32, block)) {
        const int error = pngDecoder.pngError;
        std::printf("%s: error %d: %s\n", path.c_str(), error, pngErrorText(error));
        return 1;
    }
    std::printf("%s: %d x %d\n", path.c_str(), (block[0] | block[1] << 8) >> 3, block[2] | block[3] << 8);
    if (!output.empty() && !writeFileSafely(output, pamOf(block))) {
        std::printf("%s: cannot be written\n", output.c_str());
        return 1;
    }
    return 0;
}

const RegisterCommand registered{{"picture", "FILE.png [-o OUT.pam]", runPicture}};

}  // namespace
