// The platform layer: window, input, timer, shell and the text window of the
// start-up error screens, as one interface with two backends. The SDL backend
// (sdl_platform.cpp) runs the real game; the headless backend (headless.h)
// runs the tests with a virtual clock and scripted input. Game code calls the
// free functions below and never knows which backend is installed.
//
// File-system access is the same for both backends and lives in files.h.
#pragma once

#include <string>
#include <vector>

#include "platform/controller.h"

struct DisplayMode {
    int width;
    int height;
    bool operator==(const DisplayMode& other) const {
        return width == other.width && height == other.height;
    }
};

struct MouseState {
    int x;        // -1 while the pointer is outside the window
    int y;        // -1 while the pointer is outside the window
    int buttons;  // bit 0 left, bit 1 right, bit 2 middle
};

// One line of a start-up error screen: a colour of the 16-colour text palette
// and its text (an empty text is an empty line).
struct TextLine {
    int colour;
    std::string text;
};

class PlatformBackend {
public:
    virtual ~PlatformBackend() = default;

    // Window system.
    virtual std::vector<DisplayMode> displayModes() = 0;  // 32-bit colour modes, platform order
    virtual bool openWindow(int width, int height, bool fullScreen) = 0;
    virtual void setWindowTitle(const std::string& title) = 0;
    virtual void swapBuffers() = 0;

    // Input. readKey returns one buffered key string or "" (keys.h).
    virtual bool keyHeld(int scanCode) = 0;
    virtual std::string readKey() = 0;
    virtual MouseState mouse() = 0;
    virtual void showPointer(bool visible) = 0;

    // The session asked the game to end: the user logs out, the terminal
    // closes, Ctrl+C was typed in it or a service manager stops the game.
    // Once true it stays true; the loops look at it where they read input
    // and end the game through the quit sequence without asking. (The
    // window's close button is a key, KeyClose, and asks first.)
    virtual bool endRequested() = 0;

    // Game controllers stand in for keys (controller.h); what their buttons
    // mean depends on whether the menus or play read the input.
    void setControllerMode(ControllerMode mode) { controllerMode = mode; }

    // Time.
    virtual double timer() = 0;                // seconds
    virtual void sleep(double seconds) = 0;    // 0 yields the processor

    // Shell.
    virtual std::string systemFolder() = 0;    // raw, before the path rules of paths.h
    // Opens a folder, a file (such as a web page) or an address the way the
    // desktop opens it, and returns once it is started; what comes of it is
    // not reported.
    virtual void showToPlayer(const std::string& folderOrAddress) = 0;

    // The text window: shows the lines from `row` (1-based, 25 rows of 40
    // columns), waits for one key and returns.
    virtual void showTextScreen(int row, const std::vector<TextLine>& lines) = 0;

    // Ends the program.
    [[noreturn]] virtual void exitProgram(int status) = 0;

protected:
    ControllerMode controllerMode = ControllerMode::Menus;
};

// Installs the backend every call below goes to. The program installs the SDL
// backend in main; tests install a HeadlessPlatform.
void setPlatform(PlatformBackend* backend);
PlatformBackend& platform();

// What a game controller's buttons mean from now on (menus or play).
void setControllerMode(ControllerMode mode);

// Ends the program through the installed backend.
[[noreturn]] void exitProgram(int status);

// The SDL backend, created on first use.
PlatformBackend& sdlPlatform();
