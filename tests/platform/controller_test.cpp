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

TEST(ControllerTest, AHeldDirectionRepeatsInTheMenusAtTheKeyboardsPace) {
    ControllerKeys keys;
    ControllerState down;
    down.down = true;
    const ControllerState none;
    const std::vector<std::string> nothing;
    const std::vector<std::string> once{KeyDown};
    auto at = [&](const ControllerState& state, double time) {
        return keys.update(state, time, ControllerMode::Menus);
    };
    EXPECT_EQ(at(down, 10.0), once);  // the press
    EXPECT_EQ(at(down, 10.39), nothing);
    EXPECT_EQ(at(down, 10.41), once);  // the first repeat, after 0.4 s
    EXPECT_EQ(at(down, 10.49), nothing);
    EXPECT_EQ(at(down, 10.51), once);  // then every 0.1 s
    EXPECT_EQ(at(down, 10.61), once);
    // After a long frame one repeat comes, and the pace goes on from there
    // instead of catching up.
    EXPECT_EQ(at(down, 11.31), once);
    EXPECT_EQ(at(down, 11.40), nothing);
    EXPECT_EQ(at(down, 11.42), once);
    EXPECT_EQ(at(none, 11.60), nothing);  // let go
    EXPECT_EQ(at(none, 12.60), nothing);
    EXPECT_EQ(at(down, 13.0), once);  // pressed again: a fresh delay
    EXPECT_EQ(at(down, 13.2), nothing);
}

TEST(ControllerTest, OnlyTheDirectionPressedLastRepeatsAndNothingRepeatsInPlay) {
    const auto menus = ControllerMode::Menus;
    const std::vector<std::string> nothing;
    ControllerKeys keys;
    ControllerState state;
    state.left = true;
    EXPECT_EQ(keys.update(state, 0.0, menus), std::vector<std::string>{KeyLeft});
    state.stickY = 1.0;  // down by the stick, left still held
    EXPECT_EQ(keys.update(state, 0.2, menus), std::vector<std::string>{KeyDown});
    EXPECT_EQ(keys.update(state, 0.55, menus), nothing);  // left no longer repeats
    EXPECT_EQ(keys.update(state, 0.61, menus), std::vector<std::string>{KeyDown});
    state.stickY = 0.0;  // down let go: left, still held, does not take over
    EXPECT_EQ(keys.update(state, 0.8, menus), nothing);
    EXPECT_EQ(keys.update(state, 1.5, menus), nothing);

    // In play the directions are held keys, never presses; a repeat stops
    // when play begins and does not come back after it.
    ControllerState right;
    right.right = true;
    ControllerKeys play;
    EXPECT_EQ(play.update(right, 0.0, ControllerMode::Play), nothing);
    EXPECT_EQ(play.update(right, 1.0, ControllerMode::Play), nothing);
    ControllerKeys interrupted;
    EXPECT_EQ(interrupted.update(right, 0.0, menus), std::vector<std::string>{KeyRight});
    EXPECT_EQ(interrupted.update(right, 0.3, ControllerMode::Play), nothing);
    EXPECT_EQ(interrupted.update(right, 0.9, menus), nothing);
}

TEST_F(MenuTest, AHeldControllerDirectionMovesTheSelectionAgainAndAgain) {
    goToScreen(1, 1);
    // Runs passes until the selection moves; the time it moved.
    auto nextMove = [&] {
        const int before = menu.menuSelection;
        for (int i = 0; i < 10 && menu.menuSelection == before; ++i) runMenuPass();
        return headless.clock;
    };
    ControllerState pad;
    pad.down = true;
    headless.setController(pad);
    const double pressed = headless.clock;
    nextMove();
    EXPECT_EQ(menu.menuSelection, 2);
    EXPECT_NEAR(nextMove() - pressed, 0.4, 0.03);
    EXPECT_EQ(menu.menuSelection, 3);
    EXPECT_NEAR(nextMove() - pressed, 0.5, 0.03);
    EXPECT_EQ(menu.menuSelection, 4);
    headless.setController(ControllerState());
    const double released = headless.clock;
    nextMove();  // nothing moves it any more: the passes end on time-outs
    EXPECT_EQ(menu.menuSelection, 4);
    EXPECT_GT(headless.clock - released, 5.0);
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
