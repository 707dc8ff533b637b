#ifdef __EMSCRIPTEN__
#include "platform/web_platform.h"

#include <emscripten.h>

#include <cmath>

namespace {

// The promise resolves on the next animation frame; a page in a background
// tab gets none, so the game rests there. The page's clock at the first
// frame and the count of frames shown are kept for measurements.
EM_ASYNC_JS(void, waitForAnimationFrame, (), {
    if (!Module.firstFrameAt) Module.firstFrameAt = performance.now();
    Module.framesShown = (Module.framesShown || 0) + 1;
    await new Promise(resolve => requestAnimationFrame(resolve));
});

EM_JS(void, tellPageGameEnded, (int status), {
    if (Module.onGameEnded) Module.onGameEnded(status);
});

EM_JS(void, openInNewTab, (const char* address), {
    window.open(UTF8ToString(address), "_blank", "noopener");
});

void (*frameHook)() = nullptr;

}  // namespace

std::vector<DisplayMode> browserDisplayModes() { return {{1024, 768}}; }

void browserSleep(double seconds) {
    emscripten_sleep(seconds > 0 ? static_cast<unsigned>(std::lround(seconds * 1000)) : 0);
}

void browserWaitForFrame() {
    if (frameHook != nullptr) frameHook();
    waitForAnimationFrame();
}

void setBrowserFrameHook(void (*hook)()) { frameHook = hook; }

void browserOpenAddress(const std::string& address) { openInNewTab(address.c_str()); }

// The page stays as it is, with the last picture; the program rests in a
// sleep instead of ending, which would unwind through the paused loops.
void browserExit(int status) {
    tellPageGameEnded(status);
    for (;;) emscripten_sleep(1000000);
}

#endif
