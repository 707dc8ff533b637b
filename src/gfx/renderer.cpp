#include "gfx/renderer.h"

#include "base/numeric.h"
#include "gfx/draw_layer.h"
#include "gfx/textures.h"

RendererState renderer;

void bindFrame(double frame) {
    const std::int64_t index = nearest(frame);
    const std::vector<Texture>& table = textures.frameTable;
    const bool known = index >= 0 && index < static_cast<std::int64_t>(table.size());
    dlBindTexture(table[known ? static_cast<std::size_t>(index) : 0].glName);
}

void drawQuad(int x, int y, int z, int w, int h) { dlQuad(x, y, z, w, h, 0, 0, 1, 1); }
