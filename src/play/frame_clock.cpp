#include "play/frame_clock.h"

#include <cstdio>
#include <cstdlib>

FrameClock frameClock;

namespace {
void (*frameDrawer)() = nullptr;
}

void setFrameDrawer(void (*drawFrame)()) { frameDrawer = drawFrame; }

void drawPlayFrame() {
    // Without frames the clock stands still and play would never end.
    if (frameDrawer == nullptr) {
        std::fputs("zindrop7: play started before a frame drawer was registered\n", stderr);
        std::abort();
    }
    frameDrawer();
}
