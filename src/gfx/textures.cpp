#include "assets/texture_catalogue.h"
#include "gfx/textures.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <iostream>
#include <iterator>
#include <set>

#include "assets/audio.h"
#include "base/bytes.h"
#include "base/numeric.h"
#include "config/language.h"
#include "config/paths.h"
#include "config/settings.h"
#include "gfx/png.h"
#include "level/level.h"
#include "platform/files.h"

TextureState textures;

// ---------------------------------------------------------------------------
// TGA

namespace {

// The only two headers accepted: no image ID, no colour map, origin (0, 0);
// byte 2 is the image type, 2 uncompressed and 10 run-length encoded.
const std::uint8_t tgaRawHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const std::uint8_t tgaRunLengthHeader[12] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Stores one file pixel (B, G, R(, A)) as R, G, B(, A).
void storeTgaPixel(const std::uint8_t* from, std::uint8_t* to, std::size_t bytesPerPixel) {
    to[0] = from[2];
    to[1] = from[1];
    to[2] = from[0];
    if (bytesPerPixel == 4) to[3] = from[3];
}

}  // namespace

bool decodeTga(const std::uint8_t* bytes, std::size_t length, Texture& texture) {
    ByteReader in(bytes, length);
    const std::uint8_t* header = in.view(sizeof tgaRawHeader);
    if (header == nullptr) return false;
    const bool runLength = std::memcmp(header, tgaRunLengthHeader, sizeof tgaRunLengthHeader) == 0;
    if (!runLength && std::memcmp(header, tgaRawHeader, sizeof tgaRawHeader) != 0) return false;

    const int widthLow = in.u8();
    const int width = widthLow + 256 * in.u8();
    const int heightLow = in.u8();
    const int height = heightLow + 256 * in.u8();
    const int bits = in.u8();
    in.u8();  // image descriptor: the row order is taken as it stands
    if (!in.ok() || width == 0 || height == 0 || (bits != 24 && bits != 32)) return false;

    const std::size_t bytesPerPixel = static_cast<std::size_t>(bits / 8);
    const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // Refuse a picture bigger than the bytes left can describe before
    // allocating for it: raw pixels take their full size, and run-length
    // packets (one header and one pixel) give at most 128 pixels each.
    const std::size_t leastBytes = runLength ? (pixelCount + 127) / 128 * (1 + bytesPerPixel)
                                             : pixelCount * bytesPerPixel;
    if (leastBytes > in.remaining()) return false;

    std::vector<std::uint8_t> pixels(pixelCount * bytesPerPixel);
    if (!runLength) {
        const std::uint8_t* from = in.view(pixels.size());
        if (from == nullptr) return false;
        for (std::size_t p = 0; p < pixelCount; ++p)
            storeTgaPixel(from + p * bytesPerPixel, &pixels[p * bytesPerPixel], bytesPerPixel);
    } else {
        std::size_t written = 0;
        while (written < pixelCount) {
            const unsigned packet = in.u8();
            const bool raw = packet < 128;
            const std::size_t count = raw ? packet + 1 : packet - 127;
            if (!in.ok() || count > pixelCount - written) return false;
            const std::uint8_t* from = in.view(raw ? count * bytesPerPixel : bytesPerPixel);
            if (from == nullptr) return false;
            for (std::size_t k = 0; k < count; ++k, ++written)
                storeTgaPixel(raw ? from + k * bytesPerPixel : from, &pixels[written * bytesPerPixel],
                              bytesPerPixel);
        }
    }

    texture.width = width;
    texture.height = height;
    texture.bitsPerPixel = bits;
    texture.pixelFormat = bits == 32 ? PixelFormatRgba : PixelFormatRgb;
    texture.pixels = std::move(pixels);
    return true;
}

bool readTga(const std::string& path, Texture& texture) {
    Bytes contents;
    if (!readFile(path, contents)) return false;
    return decodeTga(contents.data(), contents.size(), texture);
}

// ---------------------------------------------------------------------------
// Upload

namespace {

// A PNG file as 32-bit pixels; the decoder's block starts with a 4-byte size
// header in front of the pixels.
bool readPng(const std::string& path, Texture& texture) {
    Bytes image;
    if (!decodePng(path, 32, image)) return false;
    texture.width = (image[0] | image[1] << 8) >> 3;
    texture.height = image[2] | image[3] << 8;
    texture.bitsPerPixel = 32;
    texture.pixelFormat = PixelFormatRgba;
    image.erase(image.begin(), image.begin() + 4);
    texture.pixels = std::move(image);
    return true;
}

}  // namespace

int loadTexture(const std::string& path, Texture& texture, int flags, TextureWrap wrapS,
                TextureWrap wrapT, bool keepPixels) {
    const std::string ending = path.size() >= 3 ? path.substr(path.size() - 3) : "";
    bool read = false;
    if (ending == "tga")
        read = readTga(path, texture);
    else if (ending == "png")
        read = readPng(path, texture);
    if (!read) {
        std::cerr << "Error: Loading texture... " << path << '\n';
        return 1;
    }
    const bool nearestFilter = (flags & LoadNearest) != 0;
    const bool mipmaps = (flags & LoadMipmaps) != 0;
    const TextureFilter magFilter = nearestFilter ? FilterNearest : FilterLinear;
    TextureFilter minFilter = magFilter;
    if (mipmaps) minFilter = nearestFilter ? FilterNearestMipmapNearest : FilterLinearMipmapLinear;
    texture.glName = dlCreateTexture({texture.width, texture.height, texture.bitsPerPixel,
                                      static_cast<PixelFormat>(texture.pixelFormat),
                                      texture.pixels.data(), mipmaps, minFilter, magFilter, wrapS,
                                      wrapT});
    if (!keepPixels) std::vector<std::uint8_t>().swap(texture.pixels);
    return 0;
}

// ---------------------------------------------------------------------------
// Texture packs

namespace {

// What a frame file's name says: "kkkkST" + free name + frame number +
// ".png", with the kind code kkkk and the wrap letters S and T.
struct FrameFileName {
    std::int32_t kind = KindNone;
    TextureWrap wrapS = WrapRepeat;
    TextureWrap wrapT = WrapRepeat;
    bool synchronised = false;  // either wrap letter is "r"
    std::string freeName;
};

char lowerAt(const std::string& text, std::size_t index) {
    return index < text.size()
               ? static_cast<char>(std::tolower(static_cast<unsigned char>(text[index])))
               : '\0';
}

// "r" repeats (and marks the set synchronised), "c" clamps to the edge; any
// other letter leaves the axis at OpenGL's default, which is repeat.
TextureWrap wrapOfLetter(char letter) { return letter == 'c' ? WrapClampToEdge : WrapRepeat; }

FrameFileName parseFrameFileName(const std::string& fileName) {
    FrameFileName parsed;
    parsed.kind = textureKindOf(fileName.substr(0, 4));
    const char letterS = lowerAt(fileName, 4);
    const char letterT = lowerAt(fileName, 5);
    parsed.wrapS = wrapOfLetter(letterS);
    parsed.wrapT = wrapOfLetter(letterT);
    parsed.synchronised = letterS == 'r' || letterT == 'r';
    if (fileName.size() > 12) parsed.freeName = fileName.substr(6, fileName.size() - 12);
    return parsed;
}

void recordWellKnownEntry(int index, std::int32_t kind) {
    switch (kind) {
    case KindBackground:
        if (level.background.texture == 0) level.background.texture = index;
        break;
    case KindBall: catalogue.ballEntry = index; break;
    case KindBallShadow: level.ballShadow.texture = index; break;
    case KindBomb: catalogue.bombEntry = index; break;
    case KindExplosion: catalogue.explosionEntry = index; break;
    case KindFlag: catalogue.flagEntry = index; break;
    case KindFont: catalogue.fontEntry = index; break;
    default: break;
    }
}

// Loads frames 00, 01, ... of one set until a number is missing; frame 00
// creates the set's texture-table entry. Every frame file loaded goes into
// `loadedFrames`.
void loadPictureSet(const std::string& packName, const std::string& baseName,
                    std::set<std::string>& loadedFrames) {
    const std::string folder = paths.programFolder + packName + "/";
    for (int f = 0;; ++f) {
        const std::string fileName = baseName + zeroPad(f, 2) + ".png";
        if (!fileExists(folder + fileName)) {
            // A set whose frame 00 is not there under its exact name (a
            // listing matches names in any case) has no entry to close.
            if (f > 0) {
                TextureEntry& entry = catalogue.textureTable[catalogue.textureTable.count()];
                entry.lastFrame = entry.firstFrame + f - 1;
            }
            return;
        }
        loadedFrames.insert(folder + fileName);
        const FrameFileName parsed = parseFrameFileName(fileName);
        textures.frameTable.emplace_back();
        const std::size_t frame = textures.frameTable.size() - 1;
        loadTexture(folder + fileName, textures.frameTable[frame], LoadMipmaps, parsed.wrapS,
                    parsed.wrapT, false);
        if (f == 0) {
            TextureEntry entry;
            entry.packName = packName;
            entry.name = parsed.freeName;
            entry.firstFrame = static_cast<double>(frame);
            entry.lastFrame = entry.firstFrame;
            entry.currentFrame = entry.firstFrame;
            entry.synchronised = parsed.synchronised ? -1 : 0;
            entry.kind = parsed.kind;
            recordWellKnownEntry(catalogue.textureTable.append(entry), entry.kind);
        }
    }
}

// Every "txtpck*" folder into packList, then every set (announced by its
// frame 00) of every pack, in listing order.
void loadTexturePacks() {
    for (const std::string& pack :
         listFolder(paths.programFolder, "txtpck*", EntryKind::Folders))
        catalogue.packList.append(pack);
    struct PictureSet {
        int pack;
        std::string baseName;  // the frame 00 file name less "00.png"
    };
    std::vector<PictureSet> sets;
    for (int i = 1; i <= catalogue.packList.count(); ++i) {
        const std::string folder = paths.programFolder + catalogue.packList[i] + "/";
        for (const std::string& file : listFolder(folder, "*00.png", EntryKind::Files))
            sets.push_back({i, file.substr(0, file.size() - 6)});
    }
    // Frame 100 (200, ...) of a long set also ends in "00.png". It lists after
    // the set's own frame 00, so by then it has been loaded as a frame, and it
    // does not announce a one-frame set of its own.
    std::set<std::string> loadedFrames;
    for (const PictureSet& set : sets) {
        const std::string& pack = catalogue.packList[set.pack];
        if (loadedFrames.count(paths.programFolder + pack + "/" + set.baseName + "00.png") == 0)
            loadPictureSet(pack, set.baseName, loadedFrames);
    }
}

struct ScreenPicture {
    const char* file;
    Texture ScreenTextures::*texture;
    int flags;
};

const ScreenPicture screenPictures[] = {
    {"islogo.png", &ScreenTextures::logoTexture, LoadMipmaps},
    {"endgame.png", &ScreenTextures::endTexture, LoadMipmaps},
    {"opening.png", &ScreenTextures::openingTexture, LoadMipmaps},
    {"editmenu.png", &ScreenTextures::editMenuTexture, LoadNearest},
    {"editinput.png", &ScreenTextures::editInputTexture, LoadNearest},
    {"editdial.png", &ScreenTextures::editDialTexture, LoadNearest},
    {"editdial1.png", &ScreenTextures::editDial1Texture, LoadNearest},
    {"editselect.png", &ScreenTextures::editSelectTexture, LoadNearest},
    {"editgray.png", &ScreenTextures::editGrayTexture, LoadNearest},
};

void loadScreenPicture(const ScreenPicture& picture) {
    loadTexture(paths.programFolder + picture.file, textures.screens.*picture.texture,
                picture.flags, WrapClamp, WrapClamp, false);
}

}  // namespace

void loadTextures(void (*showLogo)()) {
    // The logo first, shown at once with the start-up jingle so that it is
    // up while the rest loads.
    loadScreenPicture(screenPictures[0]);
    if (settings.soundEffectsOn != 0) playSound(StartupJingle);
    showLogo();
    for (std::size_t i = 1; i < std::size(screenPictures); ++i) loadScreenPicture(screenPictures[i]);
    loadTexture(paths.programFolder + "notex.png", textures.frameTable[0], LoadMipmaps, WrapClamp,
                WrapClamp, false);

    TextureEntry none;
    none.name = str(3);
    catalogue.textureTable[0] = none;

    loadTexturePacks();

    const int background = static_cast<int>(level.background.texture);
    level.background.frame = catalogue.textureTable[background].firstFrame;
    placeBall(0, 0, catalogue.ballEntry);
}

void deleteFrameTextures() {
    for (std::size_t i = 1; i < textures.frameTable.size(); ++i) {
        Texture& frame = textures.frameTable[i];
        if (frame.glName != 0) dlDeleteTexture(frame.glName);
        frame.glName = 0;
    }
}
