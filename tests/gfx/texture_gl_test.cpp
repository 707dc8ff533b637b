// Uploads through a real OpenGL context (needs a display, e.g. under
// xvfb-run; skipped without one) and reads the textures back.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>

#include "gfx/textures.h"
#include "platform/platform.h"
#include "support/temp_folder.h"

TEST(TextureGl, UploadedPixelsAndParametersReadBack) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
    ASSERT_TRUE(sdlPlatform().openWindow(64, 64, false));
    TempFolder folder;

    // 3 x 2 at 24 bits: 9-byte rows, which OpenGL must not read as padded.
    const Bytes odd = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 24, 0,
                       1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    folder.write("odd.tga", odd);
    Texture texture;
    ASSERT_EQ(loadTexture(folder.path() + "odd.tga", texture, LoadNearest, WrapClamp,
                          WrapClampToEdge, false),
              0);
    ASSERT_NE(texture.glName, 0u);
    glBindTexture(GL_TEXTURE_2D, texture.glName);
    std::vector<std::uint8_t> back(18);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, back.data());
    EXPECT_EQ(back, (std::vector<std::uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13,
                                               18, 17, 16}));
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_CLAMP_TO_EDGE);

    // 4 x 4 at 32 bits with mipmaps: the chain reaches 1 x 1.
    Bytes square = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 32, 0};
    square.resize(square.size() + 64, 128);
    folder.write("square.tga", square);
    Texture mipmapped;
    ASSERT_EQ(loadTexture(folder.path() + "square.tga", mipmapped, LoadMipmaps, WrapRepeat,
                          WrapRepeat, false),
              0);
    glBindTexture(GL_TEXTURE_2D, mipmapped.glName);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 1);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR_MIPMAP_LINEAR);

    dlDeleteTexture(texture.glName);
    EXPECT_EQ(glIsTexture(texture.glName), GL_FALSE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
