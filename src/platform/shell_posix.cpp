// The shell on Linux: the desktop's opener, xdg-open, started from the
// system's program folder.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/shell.h"

std::string shellSystemFolder() { return "/usr/bin/"; }

// The desktop's opener shows the file, folder or address, and the game goes
// on at once: an opener that starts the browser itself lasts as long as the
// browser, and the game would stand still until it is closed. The opener runs
// detached in a session of its own, on /dev/null instead of the game's
// terminal (a text-mode browser cannot take it over) and without the game's
// open files (a browser that outlives the game holds none of its devices). A
// missing opener or browser changes nothing for the game.
void shellShow(const std::string& target) {
    const pid_t child = ::fork();
    if (child == 0) {
        // This middle process ends at once, so the opener is nobody's child
        // and needs no waiting for.
        if (::fork() == 0) {
            ::setsid();
            const int nothing = ::open("/dev/null", O_RDWR);
            if (nothing >= 0) {
                ::dup2(nothing, STDIN_FILENO);
                ::dup2(nothing, STDOUT_FILENO);
                ::dup2(nothing, STDERR_FILENO);
            }
            ::closefrom(3);
            ::execlp("xdg-open", "xdg-open", target.c_str(), static_cast<char*>(nullptr));
        }
        ::_exit(127);
    }
    if (child > 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
    }
}

#endif
