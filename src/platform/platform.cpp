#include "platform/platform.h"

#include <cassert>
#include <cstdlib>

namespace {
PlatformBackend* installed = nullptr;  // the backend every platform call goes to
}

void setPlatform(PlatformBackend* backend) { installed = backend; }

PlatformBackend& platform() {
    assert(installed != nullptr && "setPlatform must run before the game uses the platform");
    return *installed;
}

void setControllerMode(ControllerMode mode) { platform().setControllerMode(mode); }

void exitProgram(int status) {
    platform().exitProgram(status);
    std::abort();  // a backend's exitProgram never returns
}
