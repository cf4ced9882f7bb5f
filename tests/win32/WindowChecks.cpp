#include "Check.h"

#include "platform/win32/InstanceMutex.h"
#include "platform/win32/ProgramStart.h"
#include "platform/win32/TopLevelWindows.h"

#include <windows.h>

#include <string>

using check::that;

namespace {

// Exit codes of the helper roles.
constexpr int ClosedByRequest = 7, NotClaimed = 1;

std::wstring uniqueName(const wchar_t *what)
{
    static int counter = 0;
    return std::wstring(L"RubricaTest-") + what + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-"
        + std::to_wstring(++counter);
}

// A named event that a child sets once it is ready.
struct Event
{
    explicit Event(const std::wstring &eventName)
        : name(L"Local\\" + eventName), handle(CreateEventW(nullptr, TRUE, FALSE, name.c_str()))
    {
    }
    ~Event() { CloseHandle(handle); }
    bool wait(DWORD ms) const { return WaitForSingleObject(handle, ms) == WAIT_OBJECT_0; }

    std::wstring name;
    HANDLE handle;
};

void setEvent(const std::wstring &name)
{
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str());
    SetEvent(event);
    CloseHandle(event);
}

LRESULT CALLBACK closeOnRequest(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        PostQuitMessage(ClosedByRequest);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Hidden, as the registration window of the program is.
HWND createTitledWindow(const std::wstring &title)
{
    static const bool registered = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = closeOnRequest;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"RubricaTestWindow";
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered)
        return nullptr;
    return CreateWindowExW(0, L"RubricaTestWindow", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

int runMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return static_cast<int>(message.wParam);
}

} // namespace

int holdInstance(const std::wstring &name, const std::wstring &readyEvent)
{
    bool heldElsewhere = false;
    win32::MutexHandle claim = win32::claimInstance(name, &heldElsewhere);
    if (!claim)
        return heldElsewhere ? NotClaimed : 2;
    setEvent(readyEvent);
    Sleep(INFINITE); // until the parent kills this process
    return 0;
}

int showWindow(const std::wstring &title, const std::wstring &readyEvent)
{
    if (!createTitledWindow(title))
        return 2;
    setEvent(readyEvent);
    return runMessageLoop();
}

int echoCommandLine()
{
    wchar_t file[MAX_PATH * 2];
    if (!GetEnvironmentVariableW(L"RUBRICA_ECHO_FILE", file, MAX_PATH * 2))
        return 2;
    STARTUPINFOW startup = {};
    GetStartupInfoW(&startup);
    const std::wstring text = GetCommandLineW() + (L"|"
        + std::to_wstring((startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1));
    return check::writeWholeFile(file, std::string(reinterpret_cast<const char *>(text.data()), text.size() * sizeof(wchar_t))) ? 0 : 2;
}

void checkInstanceClaim()
{
    const std::wstring name = uniqueName(L"instance");
    const Event ready(uniqueName(L"ready"));
    HANDLE first = check::startSelf(L"hold-instance " + name + L" " + ready.name);
    that(ready.wait(10000), "a first copy takes the claim");
    bool heldElsewhere = false;
    that(win32::claimInstance(name, &heldElsewhere) == nullptr, "a second copy gets no claim");
    that(heldElsewhere, "the second copy is told that another one runs");
    TerminateProcess(first, 9);
    that(check::waitForExit(first, 5000) == 9, "the first copy is killed");
    win32::MutexHandle mine = win32::claimInstance(name, &heldElsewhere);
    that(mine != nullptr, "a killed copy leaves no claim behind");
    const Event never(uniqueName(L"ready"));
    that(check::waitForExit(check::startSelf(L"hold-instance " + name + L" " + never.name), 10000) == NotClaimed,
         "another process sees the new claim");
    win32::releaseInstance(mine);
}

void checkWindows()
{
    // The tray program's title, and one outside the code page.
    const struct { std::wstring title; std::string name; } titles[] = {
        {L"KardelTray", "KardelTray"}, {L"\u03a9 \u65e5\u672c", "Greek and Chinese"}};
    for (const auto &[title, name] : titles) {
        const Event ready(uniqueName(L"ready"));
        HANDLE child = check::startSelf(L"window \"" + title + L"\" " + ready.name);
        that(ready.wait(10000), "a program shows the window " + name);
        const win32::WindowHandle found = win32::findWindowByTitle(title);
        that(found != 0, "the window " + name + " is found by its title");
        that(win32::postClose(found), "the window " + name + " is asked to close");
        that(check::waitForExit(child, 10000) == ClosedByRequest, "the window " + name + " closes on the request");
    }

    // Titles compare exactly, capitals included.
    const std::wstring title = uniqueName(L"Title");
    HWND mine = nullptr;
    that(win32::claimTitle(title, [&] { return (mine = createTitledWindow(title)) != nullptr; }), "a free title is claimed");
    that(win32::findWindowByTitle(title) == reinterpret_cast<win32::WindowHandle>(mine), "the claimed title is found");
    that(!win32::claimTitle(title, [] { return true; }), "a title already shown cannot be claimed again");
    std::wstring upper = title;
    CharUpperW(&upper[0]);
    that(win32::findWindowByTitle(upper) == 0, "a title in other capitals is another title");
    DestroyWindow(mine);
    that(win32::findWindowByTitle(title) == 0, "a closed window is found no more");
}

void checkProgramStart(const std::wstring &folder)
{
    // The help file in a folder with blanks and characters the ANSI code page cannot spell.
    const std::wstring self = check::selfPath();
    const std::wstring viewer = self.substr(0, self.find_last_of(L'\\') + 1) + L"HH.EXE";
    const std::wstring helpFolder = folder + L"\\Guida \u03a9 \u65e5\u672c";
    const std::wstring echo = folder + L"\\echo.txt";
    CreateDirectoryW(helpFolder.c_str(), nullptr);
    that(CopyFileW(self.c_str(), viewer.c_str(), FALSE) != 0, "a stand-in viewer is put beside the program");
    SetEnvironmentVariableW(L"RUBRICA_ECHO_FILE", echo.c_str());

    const std::wstring line = L"HH.EXE mk:@MSITStore:" + helpFolder + L"\\TessavoHlp.chm::/rubrica.htm";
    that(win32::startProgram(line, SW_SHOWMAXIMIZED), "the viewer starts");
    std::wstring seen;
    for (int i = 0; i < 100 && seen.empty(); ++i) {
        Sleep(50);
        HANDLE in = CreateFileW(echo.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (in == INVALID_HANDLE_VALUE)
            continue;
        wchar_t buffer[2048];
        DWORD got = 0;
        ReadFile(in, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(in);
        seen.assign(buffer, got / sizeof(wchar_t));
    }
    that(seen == line + L"|3", "the viewer gets the line unquoted and intact, maximised");
    that(!win32::startProgram(L"NoSuchViewer.exe x", SW_SHOWMAXIMIZED), "a viewer that is not there is reported");
    for (int i = 0; i < 50 && !DeleteFileW(viewer.c_str()); ++i)
        Sleep(50); // until the stand-in has ended
}
