#include "level_map.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "base/numeric.h"
#include "config/paths.h"
#include "gfx/png.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "platform/files.h"
#include "play_script.h"

namespace {

// The file of every frameTable index, found the way the texture loader finds
// its frames: every "*00.png" of every pack in listing order announces a set,
// whose frames 00, 01, ... follow until a number is missing; a frame 100 of a
// long set announces nothing.
std::vector<std::string> frameFiles() {
    std::vector<std::string> files{paths.programFolder + "notex.png"};
    std::vector<std::string> baseNames;
    for (int i = 1; i <= catalogue.packList.count(); ++i) {
        const std::string folder = paths.programFolder + catalogue.packList[i] + "/";
        for (const std::string& file : listFolder(folder, "*00.png", EntryKind::Files))
            baseNames.push_back(folder + file.substr(0, file.size() - 6));
    }
    std::set<std::string> seen;
    for (const std::string& base : baseNames) {
        if (seen.count(base + "00.png")) continue;
        for (int f = 0;; ++f) {
            const std::string file = base + zeroPad(f, 2) + ".png";
            if (!fileExists(file)) break;
            files.push_back(file);
            seen.insert(file);
        }
    }
    return files;
}

// Depth comparisons of the board renderer, with larger z nearer: Less lets a
// nearer fragment in; GreaterOrEqual lets in only what lies on something at
// least as near (the ball's shadow falls on floor, never into a hole).
enum class Depth { Less, GreaterOrEqual };

class Compositor {
public:
    Compositor(MapPicture& target, const MapArea& shown, double pixelsPerUnit, std::vector<std::string> files)
        : picture(target), area(shown), scale(pixelsPerUnit), frameFileOf(std::move(files)),
          depth(static_cast<std::size_t>(target.width) * target.height, -std::numeric_limits<double>::infinity()) {}

    // The background fills the whole picture, as it fills the screen, scaled
    // evenly to cover it and centred.
    void background(double frame) {
        const Bytes* block = decoded(frame);
        const int w = block ? blockWidth(*block) : 1;
        const int h = block ? blockHeight(*block) : 1;
        const double cover = std::max(static_cast<double>(picture.width) / w, static_cast<double>(picture.height) / h);
        const int dw = static_cast<int>(std::ceil(w * cover));
        const int dh = static_cast<int>(std::ceil(h * cover));
        quad(block, (picture.width - dw) / 2, (picture.height - dh) / 2, dw, dh, 1, Depth::Less);
    }

    // One 128-unit object at board position (x, y). The edges are rounded
    // from board positions, so that neighbouring tiles meet without gaps.
    void object(double frame, double x, double y, double z, Depth test = Depth::Less) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;  // a damaged file's object lies nowhere
        const int x0 = static_cast<int>(std::lround((x - area.left) * scale));
        const int y0 = static_cast<int>(std::lround((y - area.top) * scale));
        const int x1 = static_cast<int>(std::lround((x + 128 - area.left) * scale));
        const int y1 = static_cast<int>(std::lround((y + 128 - area.top) * scale));
        quad(decoded(frame), x0, y0, x1 - x0, y1 - y0, z, test);
    }

private:
    static int blockWidth(const Bytes& block) { return (block[0] | block[1] << 8) >> 3; }
    static int blockHeight(const Bytes& block) { return block[2] | block[3] << 8; }

    // The decoded frame, or nullptr when its file cannot be read (the game
    // then draws a plain quad in the current colour, white).
    const Bytes* decoded(double frame) {
        const std::int64_t index = nearest(frame);
        const std::size_t i =
            index >= 0 && index < static_cast<std::int64_t>(frameFileOf.size()) ? static_cast<std::size_t>(index) : 0;
        auto found = cache.find(i);
        if (found == cache.end()) {
            Bytes block;
            if (!decodePng(frameFileOf[i], 32, block)) block.clear();
            found = cache.emplace(i, std::move(block)).first;
        }
        return found->second.empty() ? nullptr : &found->second;
    }

    // Draws `block` (nullptr: plain white) on the pixel rectangle (x0, y0,
    // w, h) at depth z. Each pixel averages a few samples of the picture
    // when the picture is shrunk, so that small maps do not flicker with
    // detail; colours blend by their alpha and a fully transparent pixel
    // leaves picture and depth alone, as the game's alpha test does.
    void quad(const Bytes* block, int x0, int y0, int w, int h, double z, Depth test) {
        if (w <= 0 || h <= 0) return;
        const int tw = block ? blockWidth(*block) : 1;
        const int th = block ? blockHeight(*block) : 1;
        const int nx = std::clamp((tw + w - 1) / w, 1, 6);
        const int ny = std::clamp((th + h - 1) / h, 1, 6);
        const double samples = nx * ny;
        for (int py = std::max(y0, 0); py < std::min(y0 + h, picture.height); ++py) {
            for (int px = std::max(x0, 0); px < std::min(x0 + w, picture.width); ++px) {
                double& stored = depth[static_cast<std::size_t>(py) * picture.width + px];
                if (test == Depth::Less ? !(z > stored) : !(z <= stored)) continue;
                double r = 0, g = 0, b = 0, a = 0;
                for (int sy = 0; sy < ny; ++sy) {
                    // The picture's top row is the block's last.
                    const int ty = std::min(th - 1, static_cast<int>((py - y0 + (sy + 0.5) / ny) * th / h));
                    for (int sx = 0; sx < nx; ++sx) {
                        const int tx = std::min(tw - 1, static_cast<int>((px - x0 + (sx + 0.5) / nx) * tw / w));
                        if (!block) {
                            r += 255, g += 255, b += 255, a += 1;
                            continue;
                        }
                        const std::uint8_t* texel =
                            &(*block)[4 + (static_cast<std::size_t>(th - 1 - ty) * tw + tx) * 4];
                        const double alpha = texel[3] / 255.0;
                        r += texel[0] * alpha, g += texel[1] * alpha, b += texel[2] * alpha, a += alpha;
                    }
                }
                if (a <= 0) continue;
                r /= samples, g /= samples, b /= samples, a /= samples;
                std::uint8_t* out = &picture.rgba[(static_cast<std::size_t>(py) * picture.width + px) * 4];
                out[0] = static_cast<std::uint8_t>(std::lround(std::min(255.0, r + out[0] * (1 - a))));
                out[1] = static_cast<std::uint8_t>(std::lround(std::min(255.0, g + out[1] * (1 - a))));
                out[2] = static_cast<std::uint8_t>(std::lround(std::min(255.0, b + out[2] * (1 - a))));
                out[3] = 255;
                stored = z;
            }
        }
    }

    MapPicture& picture;
    MapArea area;
    double scale;
    std::vector<std::string> frameFileOf;
    std::map<std::size_t, Bytes> cache;
    std::vector<double> depth;
};

double firstFrameOf(double texture) { return textureEntryOf(texture).firstFrame; }

void drawList(Compositor& compositor, const ObjectList& list, double z) {
    for (int i = 1; i <= list.count(); ++i)
        compositor.object(firstFrameOf(list[i].texture), list[i].x, list[i].y, z);
}

// The lists a map shows, in the renderer's order, with their depths; the
// markers sit between the platforms and the arrows.
struct MapLayer {
    ObjectList Level::*list;
    double z;
};
const MapLayer floorLayers[] = {{&Level::groundTiles, 2}, {&Level::exitsAndTraps, 3}, {&Level::platforms, 4},
                                {&Level::platformMarkers, 4.5}, {&Level::arrows, 5}};
const MapLayer upperLayers[] = {{&Level::walls, 6}, {&Level::cracks, 7}, {&Level::bombsAndFlags, 8}};

}  // namespace

MapArea levelMapArea() {
    double left = level.ball.x, top = level.ball.y;
    double right = left + 128, bottom = top + 128;
    auto include = [&](const ObjectList& list) {
        for (int i = 1; i <= list.count(); ++i) {
            left = std::min(left, list[i].x);
            top = std::min(top, list[i].y);
            right = std::max(right, list[i].x + 128);
            bottom = std::max(bottom, list[i].y + 128);
        }
    };
    for (const MapLayer& layer : floorLayers) include(level.*layer.list);
    for (const MapLayer& layer : upperLayers) include(level.*layer.list);
    return {left - MapMargin, top - MapMargin, right - left + 2 * MapMargin, bottom - top + 2 * MapMargin};
}

bool drawLevelMap(int size, MapPicture& picture, std::string& error) {
    if (size < MapMinSize || size > MapMaxSize) {
        error = "the size must be " + std::to_string(MapMinSize) + " to " + std::to_string(MapMaxSize) + " pixels";
        return false;
    }
    std::vector<std::string> files = frameFiles();
    if (files.size() != textures.frameTable.size()) {
        error = "the texture packs of " + paths.programFolder + " changed while they were read";
        return false;
    }
    const MapArea area = levelMapArea();
    if (!std::isfinite(area.width) || !std::isfinite(area.height) || area.width > 1e9 || area.height > 1e9) {
        error = "the board is too large to draw";
        return false;
    }
    const double scale = size / std::max(area.width, area.height);
    picture.width = std::max(1, static_cast<int>(std::lround(area.width * scale)));
    picture.height = std::max(1, static_cast<int>(std::lround(area.height * scale)));
    picture.rgba.assign(static_cast<std::size_t>(picture.width) * picture.height * 4, 0);
    for (std::size_t i = 3; i < picture.rgba.size(); i += 4) picture.rgba[i] = 255;

    Compositor compositor(picture, area, scale, std::move(files));
    compositor.background(firstFrameOf(level.background.texture));
    for (const MapLayer& layer : floorLayers) drawList(compositor, level.*layer.list, layer.z);
    compositor.object(firstFrameOf(level.ballShadow.texture), level.ball.x + 16, level.ball.y + 16, 2,
                      Depth::GreaterOrEqual);
    for (const MapLayer& layer : upperLayers) drawList(compositor, level.*layer.list, layer.z);
    compositor.object(firstFrameOf(level.ball.texture), level.ball.x, level.ball.y, 9);
    return true;
}

bool makeLevelMap(const std::string& gameFolder, const std::string& levelPath, int size, MapPicture& picture,
                  std::string& error) {
    if (!preparePlay(gameFolder, levelPath, error)) return false;
    if (catalogue.textureTable.count() == 0) {
        error = gameFolder + ": no texture packs (\"txtpck*\" folders with \"*00.png\" pictures)";
        return false;
    }
    return drawLevelMap(size, picture, error);
}

namespace {
void appendToFile(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void flushNothing(png_structp) {}
}  // namespace

bool encodeMapPng(const MapPicture& picture, std::vector<std::uint8_t>& file, std::string& error) {
    file.clear();
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgba.size() != static_cast<std::size_t>(picture.width) * picture.height * 4) {
        error = "no picture to write";
        return false;
    }
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(picture.width) * picture.height * 3);
    for (std::size_t i = 0, j = 0; i < picture.rgba.size(); i += 4, j += 3)
        std::copy_n(&picture.rgba[i], 3, &rows[j]);
    std::vector<png_bytep> rowPointers(static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y)
        rowPointers[static_cast<std::size_t>(y)] = &rows[static_cast<std::size_t>(y) * picture.width * 3];

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "libpng could not start";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        file.clear();
        error = "libpng could not write the picture";
        return false;
    }
    png_set_write_fn(png, &file, appendToFile, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
