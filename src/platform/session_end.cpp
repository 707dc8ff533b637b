// The session's end on POSIX systems: its signals.
#ifndef _WIN32

#include "platform/session_end.h"

#include <signal.h>

#include <csignal>
#include <initializer_list>

namespace {

// Written by the handlers, read by the game's thread: only a lock-free
// flag may be touched from a signal handler.
volatile std::sig_atomic_t endSignalled = 0;

void raiseEndFlag(int) { endSignalled = 1; }

}  // namespace

void watchSessionEnd() {
    struct sigaction action = {};
    action.sa_handler = raiseEndFlag;
    sigemptyset(&action.sa_mask);
    // Calls that the signal interrupts (a file write, a wait for a child)
    // go on as if nothing happened; the loops see the flag soon after.
    action.sa_flags = SA_RESTART;
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        // A signal the game was started to ignore stays ignored: "nohup"
        // means the game should outlive its terminal.
        struct sigaction current = {};
        if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
        sigaction(signalNumber, &action, nullptr);
    }
}

bool sessionEndRequested() { return endSignalled != 0; }

#endif
