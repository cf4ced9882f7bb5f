#include "Check.h"

#include "platform/win32/InstanceMutex.h"
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
    // Titles compare exactly, capitals included; a close request reaches the window's loop.
    const std::wstring title = uniqueName(L"Title");
    HWND mine = nullptr;
    that(win32::claimTitle(title, [&] { return (mine = createTitledWindow(title)) != nullptr; }), "a free title is claimed");
    const win32::WindowHandle found = win32::findWindowByTitle(title);
    that(found == reinterpret_cast<win32::WindowHandle>(mine), "the claimed title is found");
    that(!win32::claimTitle(title, [] { return true; }), "a title already shown cannot be claimed again");
    std::wstring upper = title;
    CharUpperW(&upper[0]);
    that(win32::findWindowByTitle(upper) == 0, "a title in other capitals is another title");
    const bool asked = win32::postClose(found);
    that(asked, "the window is asked to close");
    that(asked && runMessageLoop() == ClosedByRequest, "the window closes on the request");
    DestroyWindow(mine);
    that(win32::findWindowByTitle(title) == 0, "a closed window is found no more");
}
