#include "support/drawn_quads.h"

std::vector<DrawnQuad> drawnQuads() {
    std::vector<DrawnQuad> quads;
    DrawnQuad state{};
    state.colour[0] = state.colour[1] = state.colour[2] = state.colour[3] = 255;
    state.depth = DepthTest::Less;
    state.blend = BlendMode::Alpha;
    for (const DrawCall& call : drawLayer.calls) {
        switch (call.op) {
            case DrawOp::BindTexture: state.texture = call.a[0]; break;
            case DrawOp::Colour:
                for (int i = 0; i < 4; ++i) state.colour[i] = call.a[i];
                break;
            case DrawOp::DepthTest: state.depth = static_cast<DepthTest>(call.a[0]); break;
            case DrawOp::Blend: state.blend = static_cast<BlendMode>(call.a[0]); break;
            case DrawOp::Quad: {
                DrawnQuad quad = state;
                quad.x = call.a[0];
                quad.y = call.a[1];
                quad.z = call.a[2];
                quad.w = call.a[3];
                quad.h = call.a[4];
                quad.u0 = call.a[5];
                quad.v0 = call.a[6];
                quad.u1 = call.a[7];
                quad.v1 = call.a[8];
                quads.push_back(quad);
                break;
            }
            default: break;
        }
    }
    return quads;
}

std::vector<DrawnQuad> quadsAt(double z) {
    std::vector<DrawnQuad> found;
    for (const DrawnQuad& quad : drawnQuads())
        if (quad.z == z) found.push_back(quad);
    return found;
}
