// The shell on Linux: the desktop's opener, xdg-open, started from the
// system's program folder.
#ifndef _WIN32

#include <sys/wait.h>
#include <unistd.h>

#include "platform/shell.h"

std::string shellSystemFolder() { return "/usr/bin/"; }

void shellShow(const std::string& target) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::execlp("xdg-open", "xdg-open", target.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (child > 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
    }
}

#endif
