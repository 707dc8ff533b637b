// The shell on Windows: the Windows folder from the shell, and explorer.exe
// from it to show a folder or a web page.
#ifdef _WIN32

#include <windows.h>
#include <shlobj.h>

#include "platform/shell.h"
#include "platform/windows_text.h"

std::string shellSystemFolder() {
    char folder[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_WINDOWS, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) return "";
    return folder;
}

long runProgramAndWait(const std::string& program, const std::string& commandLine) {
    std::wstring line = widen(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(widen(program).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(status);
}

void shellShow(const std::string& target) {
    const ShellCommand command = explorerCommand(shellSystemFolder(), target);
    runProgramAndWait(command.program, command.commandLine);
}

#endif
