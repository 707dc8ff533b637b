// The session's signals, delivered to a real process: each raises the flag
// and leaves the program running, so that it can end through its quit
// sequence. Each case runs in a child process of its own (the handlers and
// the flag last for the whole process).
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>

#include "platform/session_end.h"

namespace {

[[noreturn]] void raiseAndReport(int signalNumber) {
    watchSessionEnd();
    const bool before = sessionEndRequested();
    ::raise(signalNumber);
    // Only a program still running gets here; 0 says the flag went up then.
    std::_Exit(!before && sessionEndRequested() ? 0 : 1);
}

TEST(SessionEndDeathTest, TermIntAndHupRaiseTheFlagInsteadOfEndingTheProgram) {
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        EXPECT_EXIT(raiseAndReport(signalNumber), ::testing::ExitedWithCode(0), "") << signalNumber;
}

// Started under nohup: the hangup stays ignored and raises nothing.
[[noreturn]] void raiseIgnoredHangup() {
    ::signal(SIGHUP, SIG_IGN);
    watchSessionEnd();
    ::raise(SIGHUP);
    std::_Exit(sessionEndRequested() ? 1 : 0);
}

TEST(SessionEndDeathTest, ASignalIgnoredAtStartStaysIgnored) {
    EXPECT_EXIT(raiseIgnoredHangup(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
