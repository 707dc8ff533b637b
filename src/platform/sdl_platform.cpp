// The SDL backend of the platform layer: the real window with its OpenGL
// context, the keyboard and mouse, the timer, the desktop's opener and the
// text window of the start-up error screens.
#include <SDL2/SDL.h>
#ifdef _WIN32
#include <SDL2/SDL_syswm.h>
#endif

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <thread>

#include "platform/platform.h"
#include "platform/keys.h"
#include "platform/sdl_keymap.h"
#include "platform/session_end.h"
#include "platform/text_screen.h"
#include "platform/shell.h"

namespace {

class SdlPlatform : public PlatformBackend {
public:
    std::vector<DisplayMode> displayModes() override;
    bool openWindow(int width, int height, bool fullScreen) override;
    void setWindowTitle(const std::string& title) override;
    void swapBuffers() override;
    bool keyHeld(int scanCode) override;
    std::string readKey() override;
    bool endRequested() override { return sessionEndRequested(); }
    MouseState mouse() override;
    void showPointer(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }
    double timer() override;
    void sleep(double seconds) override;
    std::string systemFolder() override { return shellSystemFolder(); }
    void showToPlayer(const std::string& target) override;
    void showTextScreen(int row, const std::vector<TextLine>& lines) override;
    [[noreturn]] void exitProgram(int status) override;

private:
    bool startVideo();
    void pumpEvents();
    void openController(int deviceIndex);
    ControllerState readControllers() const;

    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    std::deque<std::string> keys;  // buffered key strings
    bool pointerInside = false;
    std::map<SDL_JoystickID, SDL_GameController*> controllers;  // open pads by instance id
    ControllerState controllerState;  // their inputs at the last look
    ControllerKeys controllerKeys;    // their presses and repeats as keys
};

bool SdlPlatform::startVideo() {
    if (!videoStarted) {
        videoStarted = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) == 0;
        // Without controller support the keyboard still works. Pads that are
        // already connected announce themselves as added devices.
        if (videoStarted) SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    return videoStarted;
}

std::vector<DisplayMode> SdlPlatform::displayModes() {
    std::vector<DisplayMode> modes;
    if (!startVideo()) return modes;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        // X11 reports true colour as 24 bits per pixel stored in 32-bit
        // pixels: that is the game's 32-bit colour.
        if (SDL_BITSPERPIXEL(mode.format) >= 24) modes.push_back({mode.w, mode.h});
    }
    return modes;
}

bool SdlPlatform::openWindow(int width, int height, bool fullScreen) {
    if (!startVideo()) return false;
    if (window != nullptr) {
        // Opening again changes the window in place: the drawing context and
        // every texture in it stay.
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowSize(window, width, height);
        if (fullScreen) {
            SDL_DisplayMode mode{SDL_PIXELFORMAT_UNKNOWN, width, height, 0, nullptr};
            SDL_DisplayMode closest;
            if (SDL_GetClosestDisplayMode(SDL_GetWindowDisplayIndex(window), &mode, &closest) != nullptr)
                SDL_SetWindowDisplayMode(window, &closest);
            SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
        } else {
            SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
        return true;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    const Uint32 flags = SDL_WINDOW_OPENGL | (fullScreen ? SDL_WINDOW_FULLSCREEN : 0);
    window = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (window == nullptr) return false;
    context = SDL_GL_CreateContext(window);
    if (context == nullptr) return false;
    SDL_GL_SetSwapInterval(1);  // may fail (Xvfb); frames are paced by the game anyway
    SDL_StartTextInput();
    // From here the game answers the session's signals itself and quits
    // without asking. Before, SDL's own handlers (installed when audio
    // starts) turn SIGINT and SIGTERM into a close request, which ends an
    // error screen; the handlers here take their place.
    watchSessionEnd();
#ifdef _WIN32
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info)) watchWindowForSessionEnd(info.info.win.window);
#endif
    return true;
}

void SdlPlatform::setWindowTitle(const std::string& title) {
    if (window != nullptr) SDL_SetWindowTitle(window, title.c_str());
}

void SdlPlatform::swapBuffers() {
    if (window != nullptr) SDL_GL_SwapWindow(window);
}

void SdlPlatform::pumpEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_QUIT: keys.push_back(KeyClose); break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_ENTER) pointerInside = true;
                if (event.window.event == SDL_WINDOWEVENT_LEAVE) pointerInside = false;
                break;
            case SDL_MOUSEMOTION: pointerInside = true; break;
            case SDL_KEYDOWN: {
                const std::string key = keyStringForKeyDown(event.key.keysym.sym, event.key.keysym.mod);
                if (!key.empty()) keys.push_back(key);
                break;
            }
            case SDL_CONTROLLERDEVICEADDED: openController(event.cdevice.which); break;
            case SDL_CONTROLLERDEVICEREMOVED: {
                const auto found = controllers.find(event.cdevice.which);
                if (found != controllers.end()) {
                    SDL_GameControllerClose(found->second);
                    controllers.erase(found);
                }
                break;
            }
            case SDL_TEXTINPUT:
                for (char c : textForTextInput(event.text.text, SDL_GetModState()))
                    keys.push_back(std::string(1, c));
                break;
            default: break;
        }
    }
    const ControllerState now = readControllers();
    for (const std::string& key : controllerKeys.update(now, timer(), controllerMode)) keys.push_back(key);
    controllerState = now;
}

void SdlPlatform::openController(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (pad == nullptr) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    if (controllers.count(id) != 0) {
        SDL_GameControllerClose(pad);  // announced twice: already open
        return;
    }
    controllers[id] = pad;
}

ControllerState SdlPlatform::readControllers() const {
    ControllerState state;
    auto axis = [](SDL_GameController* pad, SDL_GameControllerAxis which) {
        return SDL_GameControllerGetAxis(pad, which) / 32767.0;
    };
    auto button = [](SDL_GameController* pad, SDL_GameControllerButton which) {
        return SDL_GameControllerGetButton(pad, which) != 0;
    };
    for (const auto& entry : controllers) {
        SDL_GameController* pad = entry.second;
        state.up = state.up || button(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
        state.down = state.down || button(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        state.left = state.left || button(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        state.right = state.right || button(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        state.a = state.a || button(pad, SDL_CONTROLLER_BUTTON_A);
        state.b = state.b || button(pad, SDL_CONTROLLER_BUTTON_B);
        state.start = state.start || button(pad, SDL_CONTROLLER_BUTTON_START);
        state.shoulder = state.shoulder || button(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER) ||
                         button(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
        // The pad leaning furthest wins.
        const double x = axis(pad, SDL_CONTROLLER_AXIS_LEFTX);
        const double y = axis(pad, SDL_CONTROLLER_AXIS_LEFTY);
        if (std::abs(x) > std::abs(state.stickX)) state.stickX = x;
        if (std::abs(y) > std::abs(state.stickY)) state.stickY = y;
    }
    return state;
}

bool SdlPlatform::keyHeld(int scanCode) {
    pumpEvents();
    const Uint8* state = SDL_GetKeyboardState(nullptr);
    if (scanCode == ScanCtrl && (state[SDL_SCANCODE_LCTRL] || state[SDL_SCANCODE_RCTRL])) return true;
    if (scanCode == ScanAlt) return state[SDL_SCANCODE_LALT] || state[SDL_SCANCODE_RALT];
    if (controllerHolds(controllerState, scanCode, controllerMode)) return true;
    const SDL_Scancode code = sdlScancodeOfSet1(scanCode);
    return code != SDL_SCANCODE_UNKNOWN && state[code] != 0;
}

std::string SdlPlatform::readKey() {
    pumpEvents();
    if (keys.empty()) return "";
    std::string key = keys.front();
    keys.pop_front();
    return key;
}

MouseState SdlPlatform::mouse() {
    pumpEvents();
    int x = 0, y = 0;
    const Uint32 buttons = SDL_GetMouseState(&x, &y);
    const bool inside = pointerInside && window != nullptr &&
                        (SDL_GetWindowFlags(window) & SDL_WINDOW_MOUSE_FOCUS) != 0;
    int bits = 0;
    if (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) bits |= 1;
    if (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) bits |= 2;
    if (buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE)) bits |= 4;
    if (!inside) return {-1, -1, bits};
    return {x, y, bits};
}

double SdlPlatform::timer() {
    static const double frequency = static_cast<double>(SDL_GetPerformanceFrequency());
    return static_cast<double>(SDL_GetPerformanceCounter()) / frequency;
}

void SdlPlatform::sleep(double seconds) {
    if (seconds <= 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void SdlPlatform::showToPlayer(const std::string& target) { shellShow(target); }

void SdlPlatform::showTextScreen(int row, const std::vector<TextLine>& lines) {
    showTextScreenWindow(row, lines);
}

void SdlPlatform::exitProgram(int status) {
    if (context != nullptr) SDL_GL_DeleteContext(context);
    if (window != nullptr) SDL_DestroyWindow(window);
    SDL_Quit();
    std::exit(status);
}

}  // namespace

PlatformBackend& sdlPlatform() {
    static SdlPlatform backend;
    return backend;
}
