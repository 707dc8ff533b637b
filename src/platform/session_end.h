// The session's request that the game end: on POSIX systems the signals a
// logout, a closed terminal, Ctrl+C or a service manager send (SIGTERM,
// SIGHUP, SIGINT). Their handlers only raise a flag; the game's loops look
// at it through PlatformBackend::endRequested where they read input and
// end through the quit sequence. Other systems map their own notices (a
// console's close event, the session's end message) to the same flag.
#pragma once

// Installs the handlers; from then on those signals no longer end the
// program at once but raise the flag. A signal the program was started
// to ignore (nohup's SIGHUP) stays ignored. Safe to call more than once.
void watchSessionEnd();

// True once one of the signals (or notices) arrived after watchSessionEnd.
bool sessionEndRequested();

#ifdef _WIN32
// Windows tells a program's windows, not the program, that the session is
// ending (a logoff or a shutdown); this watches the game's window (its
// HWND) for that notice. Called again when the window is opened anew.
void watchWindowForSessionEnd(void* windowHandle);
#endif
