#include <gtest/gtest.h>

#include <cmath>

#include "base/numeric.h"
#include "gfx/draw_layer.h"
#include "gfx/png_samples.h"
#include "gfx/textures.h"
#include "platform/files.h"
#include "support/headless_game.h"

namespace {

using Pixels = std::vector<std::uint8_t>;

// A TGA file: the 12 fixed header bytes with the image type, the size, the
// bits per pixel, a descriptor byte and `body`.
Bytes makeTga(std::uint8_t type, int width, int height, int bits, const Bytes& body) {
    Bytes file = {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                  static_cast<std::uint8_t>(width & 255), static_cast<std::uint8_t>(width >> 8),
                  static_cast<std::uint8_t>(height & 255), static_cast<std::uint8_t>(height >> 8),
                  static_cast<std::uint8_t>(bits), 8};
    for (std::uint8_t byte : body) file.push_back(byte);
    return file;
}

constexpr std::uint8_t Raw = 2;
constexpr std::uint8_t RunLength = 10;

bool decode(const Bytes& file, Texture& texture) {
    return decodeTga(file.data(), file.size(), texture);
}

}  // namespace

TEST(Tga, UncompressedPixelsBecomeRgbInFileRowOrder) {
    // 3 x 2, 24 bits: width 3 gives 9-byte rows, which must stay unpadded.
    const Bytes body = {1, 2, 3, 4, 5, 6, 7, 8, 9,  // first (bottom) row, B G R
                        10, 11, 12, 13, 14, 15, 16, 17, 18};
    Texture texture;
    ASSERT_TRUE(decode(makeTga(Raw, 3, 2, 24, body), texture));
    EXPECT_EQ(texture.width, 3);
    EXPECT_EQ(texture.height, 2);
    EXPECT_EQ(texture.bitsPerPixel, 24);
    EXPECT_EQ(texture.pixelFormat, PixelFormatRgb);
    EXPECT_EQ(texture.pixels, (Pixels{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16}));

    ASSERT_TRUE(decode(makeTga(Raw, 2, 1, 32, {1, 2, 3, 4, 5, 6, 7, 8}), texture));
    EXPECT_EQ(texture.bitsPerPixel, 32);
    EXPECT_EQ(texture.pixelFormat, PixelFormatRgba);
    EXPECT_EQ(texture.pixels, (Pixels{3, 2, 1, 4, 7, 6, 5, 8}));
}

TEST(Tga, RunLengthPacketsExpandRunsAndRawPixels) {
    // 24 bits, 5 pixels: a run of 3 (header 130), then 2 raw pixels (header 1).
    Texture texture;
    ASSERT_TRUE(decode(makeTga(RunLength, 5, 1, 24, {130, 1, 2, 3, 1, 4, 5, 6, 7, 8, 9}), texture));
    EXPECT_EQ(texture.pixels, (Pixels{3, 2, 1, 3, 2, 1, 3, 2, 1, 6, 5, 4, 9, 8, 7}));

    // 32 bits, 2 x 2: one raw pixel, then a run of 3 crossing into the second row.
    ASSERT_TRUE(decode(makeTga(RunLength, 2, 2, 32, {0, 1, 2, 3, 4, 130, 5, 6, 7, 8}), texture));
    EXPECT_EQ(texture.pixelFormat, PixelFormatRgba);
    EXPECT_EQ(texture.pixels, (Pixels{3, 2, 1, 4, 7, 6, 5, 8, 7, 6, 5, 8, 7, 6, 5, 8}));
}

TEST(Tga, PacketsPastTheLastPixelFailAndLeaveTheTextureAlone) {
    Texture texture;
    texture.width = 77;
    // A run of 4 into a picture of 3 pixels.
    EXPECT_FALSE(decode(makeTga(RunLength, 3, 1, 24, {131, 1, 2, 3}), texture));
    // Two pixels written, then a raw packet of 2 for the one pixel left.
    EXPECT_FALSE(decode(makeTga(RunLength, 3, 1, 24, {129, 1, 2, 3, 1, 4, 5, 6, 7, 8, 9}), texture));
    EXPECT_EQ(texture.width, 77);
    EXPECT_TRUE(texture.pixels.empty());
}

TEST(Tga, EveryTruncationFails) {
    const Bytes files[] = {makeTga(Raw, 2, 2, 32, Bytes(16, 9)),
                           makeTga(RunLength, 4, 1, 24, {1, 1, 2, 3, 4, 5, 6, 129, 7, 8, 9})};
    for (const Bytes& file : files) {
        Texture texture;
        ASSERT_TRUE(decode(file, texture));
        for (std::size_t length = 0; length < file.size(); ++length)
            EXPECT_FALSE(decodeTga(file.data(), length, texture)) << "cut at " << length;
    }
}

TEST(Tga, OtherHeadersSizesAndDepthsAreRefused) {
    Texture texture;
    Bytes withImageId = makeTga(Raw, 1, 1, 24, {1, 2, 3, 4});
    withImageId[0] = 1;
    EXPECT_FALSE(decode(withImageId, texture));
    Bytes withColourMap = makeTga(Raw, 1, 1, 24, {1, 2, 3});
    withColourMap[1] = 1;
    EXPECT_FALSE(decode(withColourMap, texture));
    EXPECT_FALSE(decode(makeTga(3, 1, 1, 24, {1, 2, 3}), texture));  // greyscale
    EXPECT_FALSE(decode(makeTga(Raw, 1, 1, 16, {1, 2}), texture));
    EXPECT_FALSE(decode(makeTga(Raw, 0, 1, 24, {}), texture));
    EXPECT_FALSE(decode(makeTga(Raw, 1, 0, 24, {}), texture));
    // A 65535 x 65535 header on a few bytes is refused before any allocation.
    EXPECT_FALSE(decode(makeTga(RunLength, 65535, 65535, 32, {255, 1, 2, 3, 4}), texture));
    EXPECT_TRUE(texture.pixels.empty());
}

class TextureUploadTest : public HeadlessGameTest {
protected:
    // Writes a 2 x 2 32-bit TGA into the program folder and returns its path.
    std::string writeTga(const std::string& name) {
        folder.write(name, makeTga(Raw, 2, 2, 32, Bytes(16, 200)));
        return folder.path() + name;
    }
    const DrawCall& lastCall() { return drawLayer.calls.back(); }
};

TEST_F(TextureUploadTest, FlagsChooseFiltersAndMipmaps) {
    const std::string path = writeTga("font.tga");
    struct Case {
        int flags;
        double mipmaps, minFilter, magFilter;
    } cases[] = {
        {0, 0, FilterLinear, FilterLinear},
        {LoadMipmaps, 1, FilterLinearMipmapLinear, FilterLinear},
        {LoadNearest, 0, FilterNearest, FilterNearest},
        {LoadMipmaps | LoadNearest, 1, FilterNearestMipmapNearest, FilterNearest},
    };
    for (const Case& c : cases) {
        Texture texture;
        ASSERT_EQ(loadTexture(path, texture, c.flags, WrapRepeat, WrapClampToEdge, false), 0);
        const DrawCall& call = lastCall();
        ASSERT_EQ(call.op, DrawOp::CreateTexture);
        EXPECT_EQ(call.a[0], 2);  // width
        EXPECT_EQ(call.a[1], 2);  // height
        EXPECT_EQ(call.a[2], 4);  // components
        EXPECT_EQ(call.a[3], c.mipmaps) << "flags " << c.flags;
        EXPECT_EQ(call.a[4], c.minFilter) << "flags " << c.flags;
        EXPECT_EQ(call.a[5], c.magFilter) << "flags " << c.flags;
        EXPECT_EQ(call.a[6], WrapRepeat);
        EXPECT_EQ(call.a[7], WrapClampToEdge);
        EXPECT_NE(texture.glName, 0u);
    }
}

TEST_F(TextureUploadTest, PngPicturesArrive32BitBottomRowFirst) {
    // 1 x 2: a red top row over a blue bottom row.
    const Bytes rows = {0, 255, 0, 0, 255, 0, 0, 0, 255, 128};
    folder.write("two.png", PngBuilder().header(1, 2, 8, 6).data(rows).end().bytes());
    Texture texture;
    ASSERT_EQ(loadTexture(folder.path() + "two.png", texture, 0, WrapClamp, WrapClamp, true), 0);
    EXPECT_EQ(texture.width, 1);
    EXPECT_EQ(texture.height, 2);
    EXPECT_EQ(texture.bitsPerPixel, 32);
    EXPECT_EQ(texture.pixelFormat, PixelFormatRgba);
    EXPECT_EQ(texture.pixels, (Pixels{0, 0, 255, 128, 255, 0, 0, 255}));
    EXPECT_EQ(lastCall().a[2], 4);
}

TEST_F(TextureUploadTest, PixelsAreReleasedUnlessKept) {
    const std::string path = writeTga("font.tga");
    Texture released, kept;
    ASSERT_EQ(loadTexture(path, released, 0, WrapClamp, WrapClamp, false), 0);
    ASSERT_EQ(loadTexture(path, kept, 0, WrapClamp, WrapClamp, true), 0);
    EXPECT_TRUE(released.pixels.empty());
    EXPECT_EQ(released.width, 2);
    EXPECT_EQ(kept.pixels.size(), 16u);
    EXPECT_NE(released.glName, kept.glName);
}

TEST_F(TextureUploadTest, AFailedReadReportsThePathAndCreatesNoTexture) {
    folder.write("broken.tga", Bytes{1, 2, 3});
    const std::string upperCase = writeTga("FONT.TGA");
    for (const std::string& path :
         {folder.path() + "missing.png", folder.path() + "broken.tga", upperCase}) {
        Texture texture;
        testing::internal::CaptureStderr();
        EXPECT_EQ(loadTexture(path, texture, LoadMipmaps, WrapClamp, WrapClamp, false), 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Loading texture... " + path + "\n");
        EXPECT_EQ(texture.glName, 0u);
    }
    EXPECT_TRUE(drawLayer.calls.empty());
}

TEST(AdvanceFrame, StaysInsideTheSetAndWrapsJustInsideTheFirstFrame) {
    EXPECT_DOUBLE_EQ(advanceFrame(10, 12, 11.0, 0.3), 11.3);
    // nearest(12.6) = 13 > 12.5; the remainder 12.6 - 13 is negative and dropped.
    EXPECT_DOUBLE_EQ(advanceFrame(10, 12, 12.4, 0.2), 9.5001);
    // 13.1 - 13 = 0.1 carried into the next pass.
    EXPECT_DOUBLE_EQ(advanceFrame(10, 12, 12.4, 0.7), 9.6001);
    // 12.5 rounds to the even 12, still inside; 13.5 rounds to 14, outside,
    // and the 0.5 past last + 1 is carried.
    EXPECT_DOUBLE_EQ(advanceFrame(10, 12, 12.0, 0.5), 12.5);
    EXPECT_DOUBLE_EQ(advanceFrame(10, 12, 13.0, 0.5), 10.0001);
    // An overshoot of several passes comes round more than once.
    EXPECT_NEAR(advanceFrame(10, 12, 12.0, 7.0), 12.0002, 1e-9);
    // A single-frame set keeps showing its frame.
    EXPECT_EQ(nearest(advanceFrame(5, 5, 5.0, 3.3)), 5);
}

TEST(AdvanceFrame, ImpossibleInputReturnsTheFirstFrameInsteadOfLooping) {
    EXPECT_EQ(advanceFrame(10, 12, std::nan(""), 0.5), 10);
    EXPECT_EQ(advanceFrame(10, 12, 11.0, HUGE_VAL), 10);
    EXPECT_EQ(advanceFrame(5, 2, 5.0, 1.0), 5);
}

TEST(Tga, FilesWrittenByAnotherEncoderDecode) {
    // The fuzzing seeds were written by an image library: raw and run-length
    // encoded, 24 and 32 bits, bottom-up, with its file footer after the pixels.
    const std::string folder = std::string(ZD_SOURCE_DIR) + "/fuzz/corpus/tga/";
    const std::vector<std::string> names = listFolder(folder, "*.tga", EntryKind::Files);
    ASSERT_EQ(names.size(), 6u);
    for (const std::string& name : names) {
        Texture texture;
        EXPECT_TRUE(readTga(folder + name, texture)) << name;
        EXPECT_EQ(texture.pixels.size(),
                  static_cast<std::size_t>(texture.width * texture.height * texture.bitsPerPixel / 8));
    }
    // rle32.tga is 9 x 4 with every row R = 40 * (x / 3), G = 90, B = 200, A = 255.
    Texture striped;
    ASSERT_TRUE(readTga(folder + "rle32.tga", striped));
    ASSERT_EQ(striped.width, 9);
    EXPECT_EQ(Pixels(striped.pixels.begin(), striped.pixels.begin() + 4), (Pixels{0, 90, 200, 255}));
    EXPECT_EQ(Pixels(striped.pixels.begin() + 4 * 35, striped.pixels.end()), (Pixels{80, 90, 200, 255}));
}
