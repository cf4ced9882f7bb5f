#pragma once

#include <cstdio>
#include <string>

// The Windows test program's own few lines of a test framework: QTest needs Qt, which has no
// Windows build here.
namespace check {

inline int passed = 0, failed = 0;

// Counts one check; a failure is printed with its name.
inline void that(bool ok, const std::string &what)
{
    ok ? ++passed : ++failed;
    if (!ok)
        std::printf("FAIL: %s\n", what.c_str());
}

// The program's own path, for starting it again in one of its helper roles.
std::wstring selfPath();
// Starts this program with `arguments`; returns the process handle, or nullptr.
void *startSelf(const std::wstring &arguments);
// The exit code once the process has ended within `timeoutMs`, else -1 (the process is then
// ended). The handle is closed either way.
int waitForExit(void *process, unsigned timeoutMs);
// Writes `bytes` as the whole file; false if any of it failed.
bool writeWholeFile(const std::wstring &path, const std::string &bytes);

} // namespace check

// The groups of checks, one per file.
void checkStoreFile(const std::wstring &folder);
void checkCodePage();
void checkInstanceClaim();
void checkWindows();
void checkProgramStart(const std::wstring &folder);
void checkIniReader(const std::wstring &folder);

// The helper roles, run in a child process; each returns the child's exit code.
int holdInstance(const std::wstring &name, const std::wstring &readyEvent);
int showWindow(const std::wstring &title, const std::wstring &readyEvent);
int claimTitleAtOnce(const std::wstring &title, const std::wstring &events);
int echoCommandLine();
