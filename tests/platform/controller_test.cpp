#include <gtest/gtest.h>

#include "frontend/menu_fixture.h"
#include "platform/controller.h"
#include "platform/headless.h"
#include "platform/keys.h"

namespace {

TEST(ControllerTest, StickAndPadHoldTheArrowsInBothModes) {
    ControllerState state;
    state.stickX = -0.7;
    state.down = true;
    for (ControllerMode mode : {ControllerMode::Menus, ControllerMode::Play}) {
        EXPECT_TRUE(controllerHolds(state, ScanLeft, mode));
        EXPECT_TRUE(controllerHolds(state, ScanDown, mode));
        EXPECT_FALSE(controllerHolds(state, ScanRight, mode));
        EXPECT_FALSE(controllerHolds(state, ScanUp, mode));
    }
    state.stickX = -0.3;  // a lean short of the threshold is no direction
    EXPECT_FALSE(controllerHolds(state, ScanLeft, ControllerMode::Play));
}

TEST(ControllerTest, ButtonsHoldTheKeysOfPlayOnlyInPlay) {
    ControllerState state;
    state.a = true;
    state.b = true;
    state.shoulder = true;
    EXPECT_TRUE(controllerHolds(state, ScanCtrl, ControllerMode::Play));    // jump
    EXPECT_TRUE(controllerHolds(state, ScanSpace, ControllerMode::Play));   // bomb
    EXPECT_TRUE(controllerHolds(state, ScanMinus, ControllerMode::Play));   // zoom
    EXPECT_FALSE(controllerHolds(state, ScanEnter, ControllerMode::Play));  // not "look around"
    EXPECT_FALSE(controllerHolds(state, ScanCtrl, ControllerMode::Menus));
    EXPECT_FALSE(controllerHolds(state, ScanSpace, ControllerMode::Menus));
}

TEST(ControllerTest, PressesAreKeysInTheMenusAndOnlyStartIsOneInPlay) {
    ControllerState before;
    ControllerState after;
    after.up = true;
    after.stickX = 0.9;
    after.a = true;
    after.b = true;
    after.start = true;
    EXPECT_EQ(controllerPresses(before, after, ControllerMode::Menus),
              (std::vector<std::string>{KeyUp, KeyRight, KeyEnter, KeyEsc, KeyEsc}));
    // B in play sets off a bomb: it must not end the level as Esc would.
    EXPECT_EQ(controllerPresses(before, after, ControllerMode::Play), std::vector<std::string>{KeyEsc});
    // Held on, nothing is pressed again.
    EXPECT_TRUE(controllerPresses(after, after, ControllerMode::Menus).empty());
    // The stick rolling from the pad's direction to its own is no new press.
    ControllerState stick;
    stick.stickY = -1;
    ControllerState pad;
    pad.up = true;
    EXPECT_TRUE(controllerPresses(pad, stick, ControllerMode::Menus).empty());
}

TEST_F(MenuTest, AControllerWorksTheMenus) {
    goToScreen(1, 1);
    ControllerState pad;
    pad.down = true;
    headless.setController(pad);  // down: information
    runMenuPass();
    EXPECT_EQ(menu.menuSelection, 2);
    headless.setController(ControllerState());
    pad = ControllerState();
    pad.a = true;
    headless.setController(pad);  // A: Enter
    runMenuPass();
    EXPECT_EQ(menu.menuScreen, 6);
    headless.setController(ControllerState());
    pad = ControllerState();
    pad.b = true;
    headless.setController(pad);  // B: Esc
    runMenuPass();
    EXPECT_EQ(menu.menuScreen, 1);
    EXPECT_EQ(menu.menuSelection, 2);
}

}  // namespace
