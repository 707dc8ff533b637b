// Game controllers: what a pad's d-pad, left stick and buttons stand for. The
// game itself only knows keys; the platform backends turn the pad's state into
// held keys (by scan code) and buffered key presses with these rules, so that
// a controller works wherever the keyboard does.
//
//   d-pad, left stick   the arrow keys: held, and in the menus also pressed,
//                       repeating while held as a keyboard's keys do
//   A                   Enter in the menus, jump (Ctrl held) in play
//   B                   Esc in the menus, the bomb (Space held) in play
//   shoulder buttons    zoom out (minus held)
//   Start               Esc
#pragma once

#include <string>
#include <vector>

// The menus read buffered keys; play reads held keys and leaves on Esc.
enum class ControllerMode { Menus, Play };

// Every connected controller's inputs together.
struct ControllerState {
    bool up = false;          // d-pad
    bool down = false;
    bool left = false;
    bool right = false;
    double stickX = 0;        // left stick, -1 left .. 1 right
    double stickY = 0;        // left stick, -1 up .. 1 down
    bool a = false;
    bool b = false;
    bool start = false;
    bool shoulder = false;    // either shoulder button
};

// How far the stick must lean to count as a direction.
constexpr double StickThreshold = 0.5;

struct ControllerDirections {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
};

// The directions the d-pad or the stick give.
ControllerDirections controllerDirections(const ControllerState& state);

// Whether the controller holds the key with set-1 scan code `scanCode`.
bool controllerHolds(const ControllerState& state, int scanCode, ControllerMode mode);

// The key presses of the change from `before` to `after`, in a fixed order.
std::vector<std::string> controllerPresses(const ControllerState& before,
                                           const ControllerState& after, ControllerMode mode);

// A direction held in the menus presses its key again, as a held key of the
// keyboard does: first after ControllerRepeatDelay, then every
// ControllerRepeatInterval.
constexpr double ControllerRepeatDelay = 0.4;
constexpr double ControllerRepeatInterval = 0.1;

// Turns a controller's states, looked at from time to time, into key
// presses: those of each change (controllerPresses) and, in the menus, the
// repeats of the direction pressed last for as long as it stays held. A
// backend keeps one and feeds it from its own timer, so the repeats follow
// the platform's clock (the virtual one in tests).
class ControllerKeys {
public:
    // The key presses since the last look; `now` in seconds.
    std::vector<std::string> update(const ControllerState& state, double now, ControllerMode mode);

private:
    ControllerState last;    // the state at the last look
    std::string repeating;   // the direction key that repeats, "" for none
    double nextRepeat = 0;   // when it is pressed again
};
