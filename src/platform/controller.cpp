#include "platform/controller.h"

#include "platform/keys.h"

ControllerDirections controllerDirections(const ControllerState& state) {
    ControllerDirections d;
    d.up = state.up || state.stickY <= -StickThreshold;
    d.down = state.down || state.stickY >= StickThreshold;
    d.left = state.left || state.stickX <= -StickThreshold;
    d.right = state.right || state.stickX >= StickThreshold;
    return d;
}

bool controllerHolds(const ControllerState& state, int scanCode, ControllerMode mode) {
    const ControllerDirections d = controllerDirections(state);
    const bool play = mode == ControllerMode::Play;
    switch (scanCode) {
    case ScanUp: return d.up;
    case ScanDown: return d.down;
    case ScanLeft: return d.left;
    case ScanRight: return d.right;
    case ScanCtrl: return play && state.a;
    case ScanSpace: return play && state.b;
    case ScanMinus: return state.shoulder;
    default: return false;
    }
}

std::vector<std::string> controllerPresses(const ControllerState& before,
                                           const ControllerState& after, ControllerMode mode) {
    std::vector<std::string> keys;
    auto pressed = [](bool was, bool is) { return is && !was; };
    if (mode == ControllerMode::Menus) {
        const ControllerDirections was = controllerDirections(before);
        const ControllerDirections is = controllerDirections(after);
        if (pressed(was.up, is.up)) keys.push_back(KeyUp);
        if (pressed(was.down, is.down)) keys.push_back(KeyDown);
        if (pressed(was.left, is.left)) keys.push_back(KeyLeft);
        if (pressed(was.right, is.right)) keys.push_back(KeyRight);
        if (pressed(before.a, after.a)) keys.push_back(KeyEnter);
        if (pressed(before.b, after.b)) keys.push_back(KeyEsc);
    }
    if (pressed(before.start, after.start)) keys.push_back(KeyEsc);
    return keys;
}

namespace {
// Whether the direction of arrow key `key` is held.
bool holdsDirection(const ControllerDirections& d, const std::string& key) {
    return (key == KeyUp && d.up) || (key == KeyDown && d.down) || (key == KeyLeft && d.left) ||
           (key == KeyRight && d.right);
}
}  // namespace

std::vector<std::string> ControllerKeys::update(const ControllerState& state, double now, ControllerMode mode) {
    std::vector<std::string> keys = controllerPresses(last, state, mode);
    last = state;
    if (mode != ControllerMode::Menus) {
        repeating.clear();
        return keys;
    }
    // The direction pressed last is the one that repeats, as on a keyboard.
    for (const std::string& key : keys) {
        if (key == KeyUp || key == KeyDown || key == KeyLeft || key == KeyRight) {
            repeating = key;
            nextRepeat = now + ControllerRepeatDelay;
        }
    }
    if (repeating.empty()) return keys;
    if (!holdsDirection(controllerDirections(state), repeating)) {
        repeating.clear();
    } else if (now >= nextRepeat) {
        keys.push_back(repeating);
        // One press a look: after a long frame the repeats go on at their
        // pace rather than catching up in a burst.
        nextRepeat += ControllerRepeatInterval;
        if (nextRepeat <= now) nextRepeat = now + ControllerRepeatInterval;
    }
    return keys;
}
