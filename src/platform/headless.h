// The headless backend: no window and no devices. A test fills in the display
// modes, queues buffered keys, holds keys, moves the mouse and advances the
// virtual clock; the backend records what the game asked of it. sleep()
// advances the virtual clock, so frame pacing runs unchanged and instantly.
#pragma once

#include <deque>
#include <set>
#include <stdexcept>

#include "platform/platform.h"

// Thrown by exitProgram so that a test can run the program's flow up to its
// end and look at the exit status.
struct HeadlessExit : std::runtime_error {
    explicit HeadlessExit(int exitStatus)
        : std::runtime_error("program ended"), status(exitStatus) {}
    int status;
};

class HeadlessPlatform : public PlatformBackend {
public:
    // Set by the test.
    std::vector<DisplayMode> modes{{800, 600}, {1024, 768}};
    std::deque<std::string> keyQueue;   // buffered keys, front first
    std::set<int> heldKeys;             // held set-1 scan codes
    MouseState mouseState{-1, -1, 0};
    ControllerState controller;         // the connected controllers' inputs (see setController)
    double clock = 0.0;                 // virtual seconds
    bool sessionEnding = false;         // what endRequested answers
    std::string systemFolderPath = "/usr/";
    // Called each time the game yields or sleeps: lets a test script input
    // that arrives while a loop runs (for example Esc after a few frames).
    void (*onSleep)(HeadlessPlatform&) = nullptr;

    // Recorded.
    bool windowOpen = false;
    int windowWidth = 0;
    int windowHeight = 0;
    bool windowFullScreen = false;
    std::string windowTitle;
    int swapCount = 0;
    int sleepCount = 0;
    bool pointerVisible = true;
    std::vector<std::string> shownToPlayer;
    int textScreenRow = 0;
    std::vector<TextLine> textScreen;   // the last error screen shown

    std::vector<DisplayMode> displayModes() override { return modes; }
    bool openWindow(int width, int height, bool fullScreen) override;
    void setWindowTitle(const std::string& title) override { windowTitle = title; }
    void swapBuffers() override { ++swapCount; }

    bool keyHeld(int scanCode) override {
        return heldKeys.count(scanCode) != 0 || controllerHolds(controller, scanCode, controllerMode);
    }
    std::string readKey() override;
    bool endRequested() override { return sessionEnding; }
    MouseState mouse() override { return mouseState; }
    void showPointer(bool visible) override { pointerVisible = visible; }

    double timer() override { return clock; }
    void sleep(double seconds) override;

    std::string systemFolder() override { return systemFolderPath; }
    void showToPlayer(const std::string& target) override { shownToPlayer.push_back(target); }

    // Changes the controller's inputs as a real pad would: the presses of
    // the change are queued as keys, and the held keys follow the new state.
    // A direction held on in the menus repeats on the virtual clock (the
    // repeats are queued as the game reads keys).
    void setController(const ControllerState& next);
    ControllerMode currentControllerMode() const { return controllerMode; }

    void showTextScreen(int row, const std::vector<TextLine>& lines) override;
    [[noreturn]] void exitProgram(int status) override { throw HeadlessExit(status); }

private:
    ControllerKeys controllerKeys;      // turns the controller's changes into keys
};
