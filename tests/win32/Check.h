#pragma once

#include <cstdio>
#include <string>

// The Windows test program's own few lines of a test framework: Qt has no Windows build here.
namespace check {

inline int passed = 0, failed = 0;

inline void that(bool ok, const std::string &what)
{
    ok ? ++passed : ++failed;
    if (!ok)
        std::printf("FAIL: %s\n", what.c_str());
}

std::wstring selfPath();
// This program again, in one of its helper roles; the process handle or nullptr.
void *startSelf(const std::wstring &arguments);
// The exit code, or -1 when the process had to be ended after `timeoutMs`; closes the handle.
int waitForExit(void *process, unsigned timeoutMs);
bool writeWholeFile(const std::wstring &path, const std::string &bytes);

} // namespace check

void checkStoreFile(const std::wstring &folder);
void checkCodePage();
void checkIniReader(const std::wstring &folder);
void checkInstanceClaim();
void checkWindows();
void checkProgramStart(const std::wstring &folder);

// The helper roles, run in a child process; each returns the child's exit code.
int holdInstance(const std::wstring &name, const std::wstring &readyEvent);
int showWindow(const std::wstring &title, const std::wstring &readyEvent);
int echoCommandLine();
