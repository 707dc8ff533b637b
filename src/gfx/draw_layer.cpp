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

#include <algorithm>
#include <cstddef>
#include <initializer_list>

#include "platform/platform.h"
#ifdef __EMSCRIPTEN__
#include "gfx/texture_scale.h"
#endif

DrawLayerState drawLayer;

namespace {
bool record(DrawOp op, std::initializer_list<double> args = {}) {
    if (!drawLayer.recording) return false;
    DrawCall call{op, {}};
    std::copy(args.begin(), args.end(), call.a);
    drawLayer.calls.push_back(call);
    return true;
}

#ifdef __EMSCRIPTEN__
// In a browser the fixed pipeline is Emscripten's emulation over WebGL 1,
// which differs from desktop OpenGL in a few ways that stay in this file:
// there is no GLU, so mipmaps come from glGenerateMipmap, which (like
// repeating wrap modes) wants power-of-two sides; the internal format must
// equal the pixel format; GL_CLAMP does not exist.
extern "C" void glGenerateMipmap(GLenum target);

// Uploads level 0 and, when asked, the mipmaps. A mipmapped picture whose
// sides are not powers of two is scaled down to the nearest ones, as GLU's
// builder does on the desktop; a repeating one without mipmaps is scaled up,
// which loses nothing.
void uploadToWebGl(const TextureUpload& upload) {
    const int components = upload.bitsPerPixel / 8;
    const bool repeats = upload.wrapS == WrapRepeat || upload.wrapT == WrapRepeat;
    int width = upload.width;
    int height = upload.height;
    if (upload.mipmaps) {
        width = powerOfTwoBelow(width);
        height = powerOfTwoBelow(height);
    } else if (repeats) {
        width = powerOfTwoAbove(width);
        height = powerOfTwoAbove(height);
    }
    std::vector<std::uint8_t> scaled;
    const std::uint8_t* pixels = upload.pixels;
    if (width != upload.width || height != upload.height) {
        scaled = scalePixels(upload.pixels, upload.width, upload.height, components, width, height);
        pixels = scaled.data();
    }
    const auto format = static_cast<GLenum>(upload.format);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format,
                 GL_UNSIGNED_BYTE, pixels);
    if (upload.mipmaps) glGenerateMipmap(GL_TEXTURE_2D);
}

GLint wrapMode(TextureWrap wrap) { return wrap == WrapClamp ? GL_CLAMP_TO_EDGE : wrap; }

// Each glBegin/glEnd pair is a draw call of its own in the emulation, and
// a board has hundreds of quads. So quads are gathered into one glBegin
// until the state changes (a texture, a test, blending, a clear, the end of
// the frame), with the colour given on every vertex so that colour changes
// need no new batch. The picture is the same: the quads are drawn in the
// same order with the same state.
struct QuadBatch {
    bool open = false;          // inside glBegin(GL_QUADS)
    int quads = 0;              // quads in the open batch
    GLfloat colour[4] = {1, 1, 1, 1};  // the current colour
};
QuadBatch batch;
constexpr int MaxBatchQuads = 1024;  // well inside the emulation's buffers

void flushQuads() {
    if (!batch.open) return;
    glEnd();
    batch.open = false;
    batch.quads = 0;
}
#else
GLint wrapMode(TextureWrap wrap) { return wrap; }
void flushQuads() {}
#endif
}  // namespace

void dlSetFixedState(int width, int height) {
    if (record(DrawOp::FixedState, {double(width), double(height)})) return;
    flushQuads();
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
    flushQuads();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void dlClear() {
    if (record(DrawOp::Clear)) return;
    flushQuads();
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
    flushQuads();
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Rows are tightly packed; OpenGL's default of 4-byte rows would read past
    // the end of a 24-bit picture whose width is not a multiple of 4.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
#ifdef __EMSCRIPTEN__
    uploadToWebGl(upload);
#else
    const GLint components = upload.bitsPerPixel / 8;
    if (upload.mipmaps)
        gluBuild2DMipmaps(GL_TEXTURE_2D, components, upload.width, upload.height,
                          static_cast<GLenum>(upload.format), GL_UNSIGNED_BYTE, upload.pixels);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, components, upload.width, upload.height, 0,
                     static_cast<GLenum>(upload.format), GL_UNSIGNED_BYTE, upload.pixels);
#endif
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, upload.minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, upload.magFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode(upload.wrapS));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode(upload.wrapT));
    return name;
}

void dlDeleteTexture(std::uint32_t name) {
    if (record(DrawOp::DeleteTexture, {double(name)})) return;
    flushQuads();
    const GLuint names[1] = {name};
    glDeleteTextures(1, names);
}

void dlBindTexture(std::uint32_t glName) {
    if (record(DrawOp::BindTexture, {double(glName)})) return;
    flushQuads();
    glBindTexture(GL_TEXTURE_2D, glName);
}

void dlColour(double r, double g, double b, double a) {
    if (record(DrawOp::Colour, {r, g, b, a})) return;
#ifdef __EMSCRIPTEN__
    const double components[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i)
        batch.colour[i] = static_cast<GLfloat>(std::clamp(components[i] / 255.0, 0.0, 1.0));
#else
    glColor4d(r / 255.0, g / 255.0, b / 255.0, a / 255.0);
#endif
}

void dlDepthTest(DepthTest test) {
    if (record(DrawOp::DepthTest, {double(test)})) return;
    flushQuads();
    static const GLenum functions[] = {GL_LESS, GL_LEQUAL, GL_EQUAL, GL_GEQUAL};
    glDepthFunc(functions[static_cast<int>(test)]);
}

void dlBlend(BlendMode mode) {
    if (record(DrawOp::Blend, {double(mode)})) return;
    flushQuads();
    glBlendFunc(mode == BlendMode::Alpha ? GL_SRC_ALPHA : GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
}

void dlQuad(double x, double y, double z, double w, double h,
            double u0, double v0, double u1, double v1) {
    if (record(DrawOp::Quad, {x, y, z, w, h, u0, v0, u1, v1})) return;
    // The projection turns y downwards, so bottom-left, bottom-right,
    // top-right, top-left on screen is counter-clockwise: a front face.
#ifdef __EMSCRIPTEN__
    // The browser's emulation knows only the float forms, and wants every
    // vertex of a batch to carry the same attributes: colour, texture
    // coordinate, position.
    if (!batch.open) {
        glBegin(GL_QUADS);
        batch.open = true;
    }
    const auto vertex = [](double s, double t, double vx, double vy, double vz) {
        glColor4f(batch.colour[0], batch.colour[1], batch.colour[2], batch.colour[3]);
        glTexCoord2f(static_cast<GLfloat>(s), static_cast<GLfloat>(t));
        glVertex3f(static_cast<GLfloat>(vx), static_cast<GLfloat>(vy), static_cast<GLfloat>(vz));
    };
    vertex(u0, v0, x, y + h, z);
    vertex(u1, v0, x + w, y + h, z);
    vertex(u1, v1, x + w, y, z);
    vertex(u0, v1, x, y, z);
    if (++batch.quads == MaxBatchQuads) flushQuads();
#else
    glBegin(GL_QUADS);
    glTexCoord2d(u0, v0);
    glVertex3d(x, y + h, z);
    glTexCoord2d(u1, v0);
    glVertex3d(x + w, y + h, z);
    glTexCoord2d(u1, v1);
    glVertex3d(x + w, y, z);
    glTexCoord2d(u0, v1);
    glVertex3d(x, y, z);
    glEnd();
#endif
}

void dlPresent() {
    flushQuads();
    if (!record(DrawOp::Present)) glFlush();
    platform().swapBuffers();
}

std::vector<std::uint8_t> dlReadPixels(int x, int y, int w, int h) {
    std::vector<std::uint8_t> pixels;
    if (drawLayer.recording || w <= 0 || h <= 0) return pixels;
    flushQuads();
    const std::size_t row = static_cast<std::size_t>(w) * 3;
    std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(h));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // The picture on screen is in the front buffer once presented. OpenGL
    // counts rows from the bottom of the window.
#ifndef __EMSCRIPTEN__
    glReadBuffer(GL_BACK);
#endif
    glReadPixels(x, viewport[3] - y - h, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
#ifndef __EMSCRIPTEN__
    glReadBuffer(GL_BACK);
#endif
    pixels.resize(bottomUp.size());
    for (int r = 0; r < h; ++r)
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row) * (h - 1 - r), row,
                    pixels.begin() + static_cast<std::ptrdiff_t>(row) * r);
    return pixels;
}
