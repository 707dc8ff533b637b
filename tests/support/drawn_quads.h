// Test support: the quads of the recorded drawing calls, each with the state
// (texture, colour, depth comparison, blending) it was drawn in.
#pragma once

#include <vector>

#include "gfx/draw_layer.h"

struct DrawnQuad {
    double x, y, z, w, h;
    double u0, v0, u1, v1;  // texture coordinates, bottom-left and top-right
    double texture;         // bound texture name
    double colour[4];       // r, g, b, a (0..255)
    DepthTest depth;
    BlendMode blend;
};

// Every quad recorded so far, in drawing order.
std::vector<DrawnQuad> drawnQuads();

// The quads at depth z.
std::vector<DrawnQuad> quadsAt(double z);
