#include "platform/headless.h"

bool HeadlessPlatform::openWindow(int width, int height, bool fullScreen) {
    windowOpen = true;
    windowWidth = width;
    windowHeight = height;
    windowFullScreen = fullScreen;
    return true;
}

std::string HeadlessPlatform::readKey() {
    for (const std::string& key : controllerKeys.update(controller, clock, controllerMode)) keyQueue.push_back(key);
    if (keyQueue.empty()) return "";
    std::string key = keyQueue.front();
    keyQueue.pop_front();
    return key;
}

void HeadlessPlatform::sleep(double seconds) {
    ++sleepCount;
    // A yield still lets a little virtual time pass, so that a loop which only
    // yields cannot spin forever in a test.
    clock += seconds > 0.0 ? seconds : 0.0001;
    if (onSleep) onSleep(*this);
}

void HeadlessPlatform::showTextScreen(int row, const std::vector<TextLine>& lines) {
    textScreenRow = row;
    textScreen = lines;
}

void HeadlessPlatform::setController(const ControllerState& next) {
    for (const std::string& key : controllerKeys.update(next, clock, controllerMode)) keyQueue.push_back(key);
    controller = next;
}
