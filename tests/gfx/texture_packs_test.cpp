#include <gtest/gtest.h>

#include "app/app.h"
#include "config/language.h"
#include "config/paths.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "gfx/png_samples.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "platform/keys.h"
#include "support/headless_game.h"

namespace {

// A size x size PNG of one colour (8-bit RGBA, no row filtering).
Bytes flatPng(int size) {
    Bytes rows;
    for (int y = 0; y < size; ++y) {
        rows.push_back(0);
        for (int x = 0; x < size; ++x) rows.insert(rows.end(), {10, 20, 30, 255});
    }
    return PngBuilder()
        .header(static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(size), 8, 6)
        .data(rows)
        .end()
        .bytes();
}

class TexturePacksTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        folder.write("english.str", "Zindrop 7\nAll packs\nNo texture\n");
        loadLanguage("english.str");
    }

    // One frame file: a 2 x 2 picture.
    void writeFrame(const std::string& pack, const std::string& fileName) {
        folder.write(pack + "/" + fileName, flatPng(2));
    }

    // Loads while hiding the error lines of the screen pictures the test
    // did not write.
    void load() {
        testing::internal::CaptureStderr();
        loadTextures(drawFrame);
        testing::internal::GetCapturedStderr();
    }

    const TextureEntry& entry(int index) { return catalogue.textureTable[index]; }

    // The recorded uploads, in order.
    std::vector<DrawCall> uploads() {
        std::vector<DrawCall> found;
        for (const DrawCall& call : drawLayer.calls)
            if (call.op == DrawOp::CreateTexture) found.push_back(call);
        return found;
    }
};

}  // namespace

TEST_F(TexturePacksTest, NoPackLeavesOnlyTheNoTextureEntry) {
    ASSERT_TRUE(makeFolder(folder.path() + "txtpckEmpty"));
    writeFrame("txtpckEmpty", "grndrr01.png");  // no frame 00: no set
    load();
    ASSERT_EQ(catalogue.packList.count(), 1);
    EXPECT_EQ(catalogue.packList[1], "txtpckEmpty");
    EXPECT_EQ(catalogue.textureTable.count(), 0);
    EXPECT_EQ(entry(0).name, "No texture");
    EXPECT_EQ(entry(0).packName, "");
    EXPECT_EQ(entry(0).kind, KindNone);
    EXPECT_EQ(entry(0).lastFrame, 0);
    EXPECT_EQ(textures.frameTable.size(), 1u);
    EXPECT_EQ(level.ball.texture, 0);
    EXPECT_EQ(level.ball.frame, 0);
    EXPECT_EQ(level.ballShadow.x, 16);
    EXPECT_EQ(level.background.texture, 0);
}

TEST_F(TexturePacksTest, FramesRunUntilTheFirstMissingNumber) {
    for (const char* name : {"grndrr00.png", "grndrr01.png", "grndrr03.png"})
        writeFrame("txtpckA", name);
    // Listed (names match in any case) but its frame 00 has another spelling
    // than the one built from it: no set, and the set before stays whole.
    writeFrame("txtpckA", "WALLcc00.PNG");
    load();
#ifdef _WIN32
    // Windows names ignore case: "WALLcc00.png" is that file, and the set loads.
    ASSERT_EQ(catalogue.textureTable.count(), 2);
    EXPECT_EQ(entry(2).kind, KindWall);
#else
    ASSERT_EQ(catalogue.textureTable.count(), 1);
#endif
    EXPECT_EQ(entry(1).packName, "txtpckA");
    EXPECT_EQ(entry(1).name, "");
    EXPECT_EQ(entry(1).kind, KindGround);
    EXPECT_EQ(entry(1).firstFrame, 1);
    EXPECT_EQ(entry(1).currentFrame, 1);
    EXPECT_EQ(entry(1).lastFrame, 2);
#ifdef _WIN32
    EXPECT_EQ(textures.frameTable.size(), 4u);
#else
    EXPECT_EQ(textures.frameTable.size(), 3u);
#endif
    EXPECT_NE(textures.frameTable[2].glName, 0u);
}

TEST_F(TexturePacksTest, FileNamesGiveKindWrapModesSynchronisationAndName) {
    writeFrame("txtpckA", "FLAGrc00.png");
    writeFrame("txtpckA", "wallcc00.png");
    writeFrame("txtpckA", "trapxcspikes00.png");
    writeFrame("txtpckA", "zzzzcc00.png");
    load();
    ASSERT_EQ(catalogue.textureTable.count(), 4);
    // Listing order: FLAGrc, trapxcspikes, wallcc, zzzzcc.
    EXPECT_EQ(entry(1).kind, KindFlag);
    EXPECT_EQ(entry(1).synchronised, -1);
    EXPECT_EQ(catalogue.flagEntry, 1);
    EXPECT_EQ(entry(2).kind, KindTrap);
    EXPECT_EQ(entry(2).name, "spikes");
    EXPECT_EQ(entry(2).synchronised, 0);
    EXPECT_EQ(entry(3).kind, KindWall);
    EXPECT_EQ(entry(3).synchronised, 0);
    EXPECT_EQ(entry(4).kind, KindNone);

    // Pack frames get mipmaps with linear filtering and the letters' wrap modes.
    const std::vector<DrawCall> packUploads = uploads();
    ASSERT_EQ(packUploads.size(), 4u);
    const double expectedWraps[4][2] = {{WrapRepeat, WrapClampToEdge},
                                        {WrapRepeat, WrapClampToEdge},
                                        {WrapClampToEdge, WrapClampToEdge},
                                        {WrapClampToEdge, WrapClampToEdge}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(packUploads[i].a[3], 1) << i;
        EXPECT_EQ(packUploads[i].a[4], FilterLinearMipmapLinear) << i;
        EXPECT_EQ(packUploads[i].a[6], expectedWraps[i][0]) << i;
        EXPECT_EQ(packUploads[i].a[7], expectedWraps[i][1]) << i;
    }
}

TEST_F(TexturePacksTest, WellKnownEntriesFollowFirstAndLastWins) {
    writeFrame("txtpckA", "backrr00.png");
    writeFrame("txtpckA", "ballcc00.png");
    writeFrame("txtpckA", "ballccbig00.png");
    writeFrame("txtpckA", "ballccbig01.png");
    writeFrame("txtpckA", "blshcc00.png");
    writeFrame("txtpckB", "backcc00.png");
    writeFrame("txtpckB", "backcc01.png");
    writeFrame("txtpckB", "blshccsoft00.png");
    load();
    // A: back 1, ball 2, ballbig 3 (frames 3 and 4), blsh 4; B: back 5, blshsoft 6.
    ASSERT_EQ(catalogue.textureTable.count(), 6);
    EXPECT_EQ(entry(2).name, "");
    EXPECT_EQ(entry(3).name, "big");
    EXPECT_EQ(level.background.texture, 1);
    EXPECT_EQ(level.background.frame, entry(1).firstFrame);
    EXPECT_EQ(catalogue.ballEntry, 3);
    EXPECT_EQ(level.ballShadow.texture, 6);
    // The ball waits at (0, 0) on its set's first frame, the shadow beside it.
    EXPECT_EQ(level.ball.texture, 3);
    EXPECT_EQ(level.ball.frame, entry(3).firstFrame);
    EXPECT_EQ(level.ballShadow.frame, entry(6).firstFrame);
    EXPECT_EQ(level.ballShadow.x, 16);
    EXPECT_EQ(level.ballShadow.y, 16);
}

TEST_F(TexturePacksTest, FrameNumbersGrowPastTwoDigits) {
    for (int f = 0; f <= 100; ++f)
        writeFrame("txtpckA", "explcc" + zeroPad(f, 2) + ".png");
    // "wallcc100.png" is no frame of a set (wallcc has one frame): it is the
    // first frame of the set named "1".
    writeFrame("txtpckA", "wallcc00.png");
    writeFrame("txtpckA", "wallcc100.png");
    load();
    // Frame 100 of the explosion also ends in "00.png" but is no set.
    ASSERT_EQ(catalogue.textureTable.count(), 3);
    EXPECT_EQ(entry(1).firstFrame, 1);
    EXPECT_EQ(entry(1).lastFrame, 101);
    EXPECT_EQ(catalogue.explosionEntry, 1);
    EXPECT_EQ(entry(2).name, "");
    EXPECT_EQ(entry(3).name, "1");
    EXPECT_EQ(entry(3).kind, KindWall);
    EXPECT_EQ(uploads().size(), 103u);
}

TEST_F(TexturePacksTest, ScreenPicturesAndNoTextureImageGetTheirFlags) {
    const char* const names[] = {"islogo.png",   "endgame.png",    "opening.png",
                                 "editmenu.png", "editinput.png",  "editdial.png",
                                 "editdial1.png", "editselect.png", "editgray.png",
                                 "notex.png"};
    for (const char* name : names) folder.write(name, flatPng(4));
    load();
    const std::vector<DrawCall> screenUploads = uploads();
    ASSERT_EQ(screenUploads.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        const bool editor = i >= 3 && i <= 8;
        EXPECT_EQ(screenUploads[i].a[3], editor ? 0 : 1) << names[i];
        EXPECT_EQ(screenUploads[i].a[4], editor ? FilterNearest : FilterLinearMipmapLinear) << names[i];
        EXPECT_EQ(screenUploads[i].a[6], WrapClamp) << names[i];
        EXPECT_EQ(screenUploads[i].a[7], WrapClamp) << names[i];
    }
    EXPECT_EQ(textures.screens.logoTexture.glName, 1u);
    EXPECT_EQ(textures.screens.editGrayTexture.glName, 9u);
    EXPECT_TRUE(textures.screens.editGrayTexture.pixels.empty());
    EXPECT_EQ(textures.frameTable[0].glName, 10u);
}

TEST_F(TexturePacksTest, StartUpNamesTheAllPacksEntryAndQuitDeletesThePackFrames) {
    folder.write("notex.png", flatPng(2));
    writeFrame("txtpckA", "grndrr00.png");
    writeFrame("txtpckA", "grndrr01.png");
    headless.keyQueue.push_back(KeyEsc);
    testing::internal::CaptureStderr();
    EXPECT_THROW(runGame(folder.path()), HeadlessExit);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(catalogue.packList[0], "All packs");
    std::vector<double> deleted;
    for (const DrawCall& call : drawLayer.calls)
        if (call.op == DrawOp::DeleteTexture) deleted.push_back(call.a[0]);
    // notex.png is texture 1 and stays; the two frames are 2 and 3.
    EXPECT_EQ(deleted, (std::vector<double>{2, 3}));
}
