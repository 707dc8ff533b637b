// The few POSIX calls the tests use, in their Windows form; given to every
// test file of the Windows build by the compiler (-include).
#pragma once
#ifdef _WIN32

#include <direct.h>
#include <io.h>
#include <process.h>
#include <stdlib.h>

#include <cstring>

inline int setenv(const char* name, const char* value, int /*overwrite*/) { return _putenv_s(name, value); }

// A new folder named after `pattern`, its trailing "XXXXXX" replaced by the
// process number and a count, so that each call makes a folder of its own.
inline char* mkdtemp(char* pattern) {
    static unsigned count = 0;
    const std::size_t length = std::strlen(pattern);
    if (length < 6) return nullptr;
    char* tail = pattern + length - 6;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const unsigned unique = (static_cast<unsigned>(_getpid()) * 7919u + count++) % 2176782336u;
        unsigned rest = unique;
        for (int i = 5; i >= 0; --i) {
            tail[i] = "0123456789abcdefghijklmnopqrstuvwxyz"[rest % 36];
            rest /= 36;
        }
        if (_mkdir(pattern) == 0) return pattern;
    }
    return nullptr;
}

#endif
