#include "gfx/draw_layer.h"

#include <GL/gl.h>

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
