#include "gfx/draw_layer.h"

#include <GL/gl.h>
#include <GL/glu.h>

static_assert(PixelFormatRgb == GL_RGB && PixelFormatRgba == GL_RGBA, "pixel formats");
static_assert(FilterNearest == GL_NEAREST && FilterLinear == GL_LINEAR &&
                  FilterNearestMipmapNearest == GL_NEAREST_MIPMAP_NEAREST &&
                  FilterLinearMipmapLinear == GL_LINEAR_MIPMAP_LINEAR,
              "texture filters");
static_assert(WrapClamp == GL_CLAMP && WrapRepeat == GL_REPEAT && WrapClampToEdge == GL_CLAMP_TO_EDGE,
              "wrap modes");

DrawLayerState drawLayer;

namespace {
bool record(DrawOp op, double a0 = 0, double a1 = 0) {
    if (!drawLayer.recording) return false;
    drawLayer.calls.push_back({op, {a0, a1, 0, 0, 0, 0, 0, 0}});
    return true;
}
}  // namespace

void dlSetFixedState(int width, int height) {
    if (record(DrawOp::FixedState, width, height)) return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    glOrtho(0, width, height, 0, -128, 128);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_TEXTURE_2D);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
}

void dlEnableAlphaBlending() {
    if (record(DrawOp::BlendAlpha)) return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void dlClear() {
    if (record(DrawOp::Clear)) return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::uint32_t dlCreateTexture(const TextureUpload& upload) {
    if (drawLayer.recording) {
        drawLayer.calls.push_back({DrawOp::CreateTexture,
                                   {double(upload.width), double(upload.height),
                                    double(upload.bitsPerPixel / 8), upload.mipmaps ? 1.0 : 0.0,
                                    double(upload.minFilter), double(upload.magFilter),
                                    double(upload.wrapS), double(upload.wrapT)}});
        return ++drawLayer.lastTextureName;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Rows are tightly packed; OpenGL's default of 4-byte rows would read past
    // the end of a 24-bit picture whose width is not a multiple of 4.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLint components = upload.bitsPerPixel / 8;
    if (upload.mipmaps)
        gluBuild2DMipmaps(GL_TEXTURE_2D, components, upload.width, upload.height,
                          static_cast<GLenum>(upload.format), GL_UNSIGNED_BYTE, upload.pixels);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, components, upload.width, upload.height, 0,
                     static_cast<GLenum>(upload.format), GL_UNSIGNED_BYTE, upload.pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, upload.minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, upload.magFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, upload.wrapS);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, upload.wrapT);
    return name;
}

void dlDeleteTexture(std::uint32_t name) {
    if (record(DrawOp::DeleteTexture, name)) return;
    const GLuint names[1] = {name};
    glDeleteTextures(1, names);
}
