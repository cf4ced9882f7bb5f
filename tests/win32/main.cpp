#include "Check.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace check {

std::wstring selfPath()
{
    std::vector<wchar_t> buffer(MAX_PATH * 4);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), length);
}

void *startSelf(const std::wstring &arguments)
{
    std::wstring line = L"\"" + selfPath() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

int waitForExit(void *process, unsigned timeoutMs)
{
    if (!process)
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0 || !GetExitCodeProcess(process, &code)) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        code = static_cast<DWORD>(-1);
    }
    CloseHandle(process);
    return static_cast<int>(code);
}

bool writeWholeFile(const std::wstring &path, const std::string &bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) && done == bytes.size();
    CloseHandle(file);
    return ok;
}

} // namespace check

int wmain(int argc, wchar_t **argv)
{
    const std::wstring role = argc > 1 ? argv[1] : L"";
    if (role == L"hold-instance" && argc == 4)
        return holdInstance(argv[2], argv[3]);
    if (role == L"window" && argc == 4)
        return showWindow(argv[2], argv[3]);
    if (role.rfind(L"mk:@MSITStore:", 0) == 0)
        return echoCommandLine();

    // A folder of this run's files, left for the private Wine prefix to take away.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"rubrica-win32-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    checkStoreFile(folder);
    checkCodePage();
    checkIniReader(folder);
    checkInstanceClaim();
    checkWindows();
    checkProgramStart(folder);

    std::printf("%d passed, %d failed\n", check::passed, check::failed);
    return check::failed == 0 ? 0 : 1;
}
