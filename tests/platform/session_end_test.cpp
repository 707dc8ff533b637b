// The session's end, delivered to a real process: on POSIX systems its
// signals, on Windows the notice that a logoff or shutdown sends to the
// game's window. Each raises the flag and leaves the program running, so
// that it can end through its quit sequence. Each case runs in a child
// process of its own (the handlers and the flag last for the whole process).
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

#include <cstdlib>

#include "platform/session_end.h"

namespace {

#ifdef _WIN32

// A plain window of our own stands in for the game's.
[[noreturn]] void sendEndOfSession(UINT message, WPARAM wParam) {
    watchSessionEnd();
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    watchWindowForSessionEnd(window);
    const bool before = sessionEndRequested();
    SendMessageW(window, message, wParam, 0);
    std::_Exit(window != nullptr && !before && sessionEndRequested() ? 0 : 1);
}

TEST(SessionEndDeathTest, TheSessionsEndNoticeToTheWindowRaisesTheFlag) {
    EXPECT_EXIT(sendEndOfSession(WM_QUERYENDSESSION, 0), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(sendEndOfSession(WM_ENDSESSION, TRUE), ::testing::ExitedWithCode(0), "");
}

#else

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

#endif

}  // namespace
