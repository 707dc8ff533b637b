// The parts of the platform that differ between the systems: the shell's
// folder and program, and the file calls on Windows (names beyond ASCII, the
// replace of a safe write, the rename that never replaces). Each system runs
// its own cases; the explorer command is built and checked on both.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "support/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

TEST(ExplorerCommand, FoldersGetBackslashesAndAddressesStayAsTheyAre) {
    ShellCommand folder = explorerCommand("C:\\WINDOWS", "C:/Games/Zindrop 7/lvlpckzindrop/");
    EXPECT_EQ(folder.program, "C:\\WINDOWS\\explorer.exe");
    EXPECT_EQ(folder.commandLine, "\"C:\\WINDOWS\\explorer.exe\" \"C:\\Games\\Zindrop 7\\lvlpckzindrop\"");

    ShellCommand address = explorerCommand("D:\\Win\\", "https://example.org/zindrop/");
    EXPECT_EQ(address.program, "D:\\Win\\explorer.exe");
    EXPECT_EQ(address.commandLine, "\"D:\\Win\\explorer.exe\" \"https://example.org/zindrop/\"");

    // The shell saying nothing falls back to the usual Windows folder.
    EXPECT_EQ(explorerCommand("", "x").program, "C:\\WINDOWS\\explorer.exe");
}

#ifndef _WIN32

TEST(Shell, LinuxStartsTheOpenerFromTheProgramFolder) {
    EXPECT_EQ(shellSystemFolder(), "/usr/bin/");
    EXPECT_EQ(sdlPlatform().systemFolder(), "/usr/bin/");
}

#else

namespace {
bool existsWide(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
std::wstring wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }
}  // namespace

TEST(WindowsShell, TheWindowsFolderAndAProgramWaitedFor) {
    const std::string windows = shellSystemFolder();
    ASSERT_FALSE(windows.empty());
    EXPECT_TRUE(existsWide(wide(windows) + L"\\explorer.exe"));
    EXPECT_EQ(sdlPlatform().systemFolder(), windows);
    // The call returns only when the program has ended, with its status.
    const std::string cmd = windows + "\\system32\\cmd.exe";
    EXPECT_EQ(runProgramAndWait(cmd, "\"" + cmd + "\" /c exit 7"), 7);
    EXPECT_EQ(runProgramAndWait(windows + "\\no-such-program.exe", "x"), -1);
}

TEST(WindowsFiles, TheProgramFolderHasSlashesAndEndsInOne) {
    const std::string folder = executableFolder(nullptr);
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder.find('\\'), std::string::npos);
    EXPECT_TRUE(fileExists(folder + "zdtests.exe"));
}

TEST(WindowsFiles, NamesBeyondAsciiAreUtf8InsideAndTheRealNameOutside) {
    TempFolder temp;
    const std::string user = temp.path() + "J\xc3\xbcrgen";  // "Jürgen" in UTF-8
    ASSERT_TRUE(makeFolder(user));
    EXPECT_TRUE(existsWide(wide(temp.path()) + L"J\u00fcrgen"));
    EXPECT_TRUE(folderExists(user));

    const std::string settings = user + "/settings.dat";
    ASSERT_TRUE(writeFileSafely(settings, std::string("first")));
    ASSERT_TRUE(writeFileSafely(settings, std::string("second")));  // replaces the file
    std::string read;
    ASSERT_TRUE(readTextFile(settings, read));
    EXPECT_EQ(read, "second");
    EXPECT_FALSE(fileExists(settings + ".tmp"));

    const auto folders = listFolder(temp.path(), "j*", EntryKind::Folders);
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0], "J\xc3\xbcrgen");
    const auto files = listFolder(user, "*.DAT", EntryKind::Files);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0], "settings.dat");

    const std::string pack = user + "/lvlpck\xc3\xa9t\xc3\xa9";  // "lvlpckété"
    ASSERT_TRUE(makeFolder(pack));
    ASSERT_TRUE(copyFile(settings, pack + "/001.zdl"));
    ASSERT_TRUE(renameFile(pack + "/001.zdl", pack + "/002.zdl"));
    EXPECT_EQ(listFolder(pack, "???.zdl", EntryKind::Files), std::vector<std::string>{"002.zdl"});
    EXPECT_TRUE(deleteFile(pack + "/002.zdl"));
    EXPECT_TRUE(removeFolder(pack));
    EXPECT_FALSE(folderExists(pack));
}

TEST(WindowsFiles, RenameNeverReplaces) {
    TempFolder temp;
    temp.write("a.zdl", "a");
    temp.write("b.zdl", "b");
    EXPECT_FALSE(renameFile(temp.path() + "a.zdl", temp.path() + "b.zdl"));
    EXPECT_FALSE(renameFile(temp.path() + "a.zdl", temp.path() + "B.ZDL"));  // names ignore case
    EXPECT_EQ(temp.read("b.zdl"), "b");
    EXPECT_TRUE(renameFile(temp.path() + "a.zdl", temp.path() + "c.zdl"));
    EXPECT_EQ(listFolder(temp.path(), "*.zdl", EntryKind::Files), (std::vector<std::string>{"b.zdl", "c.zdl"}));
}

TEST(WindowsFiles, ASafeWriteOverAFileInUseFailsAndKeepsIt) {
    TempFolder temp;
    temp.write("stats.sts", "old");
    const std::wstring path = wide(temp.path()) + L"stats.sts";
    // Another program holding the file without sharing it blocks the replace.
    const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(writeFileSafelyReporting(temp.path() + "stats.sts", Bytes{'n', 'e', 'w'}), WriteFailure::Replace);
    CloseHandle(held);
    EXPECT_EQ(temp.read("stats.sts"), "old");
    EXPECT_FALSE(fileExists(temp.path() + "stats.sts.tmp"));
}

#endif
