// The session's end on Windows: a console's Ctrl+C, Ctrl+Break or close,
// and the logoff or shutdown notices, both the console's and the ones sent
// to the game's window. Each only raises the flag the game's loops read.
#ifdef _WIN32

#include <windows.h>

#include "platform/session_end.h"

namespace {

volatile LONG endNoticed = 0;

void raiseEndFlag() { InterlockedExchange(&endNoticed, 1); }

// Runs on a thread of its own. For a closing console, a logoff or a
// shutdown the system ends the program as soon as this returns, so it
// gives the game's thread time to save and quit first.
BOOL WINAPI onConsoleEvent(DWORD event) {
    raiseEndFlag();
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        Sleep(5000);
    return TRUE;
}

WNDPROC windowProcedure = nullptr;  // the window's own procedure (SDL's)
HWND watchedWindow = nullptr;

// Agrees to the session's end and lets the game's loop quit on its next
// look at the flag; everything else goes to the window's own procedure.
LRESULT CALLBACK watchSessionMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUERYENDSESSION || (message == WM_ENDSESSION && wParam != FALSE)) raiseEndFlag();
    return CallWindowProcW(windowProcedure, window, message, wParam, lParam);
}

}  // namespace

void watchSessionEnd() { SetConsoleCtrlHandler(onConsoleEvent, TRUE); }

void watchWindowForSessionEnd(void* windowHandle) {
    HWND window = static_cast<HWND>(windowHandle);
    if (window == nullptr || window == watchedWindow) return;
    watchedWindow = window;
    windowProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchSessionMessages)));
}

bool sessionEndRequested() { return InterlockedCompareExchange(&endNoticed, 0, 0) != 0; }

#endif
