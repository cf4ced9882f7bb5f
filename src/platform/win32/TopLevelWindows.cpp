#include "platform/win32/TopLevelWindows.h"

#include <windows.h>

#include <vector>

namespace win32 {

namespace {

struct Search
{
    const std::wstring *title;
    std::vector<wchar_t> buffer;
    HWND found = nullptr;
};

BOOL CALLBACK matchTitle(HWND window, LPARAM context)
{
    auto *search = reinterpret_cast<Search *>(context);
    // One character more than the title, so that a longer title does not match a prefix.
    const int length = GetWindowTextW(window, search->buffer.data(), static_cast<int>(search->buffer.size()));
    if (length == static_cast<int>(search->title->size())
        && search->title->compare(0, std::wstring::npos, search->buffer.data(), static_cast<std::size_t>(length)) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Released by its holder's death too, so a crashed registrant blocks nobody.
class SessionLock
{
public:
    SessionLock() : m_mutex(CreateMutexW(nullptr, FALSE, L"Local\\TessavoTitleRegistration"))
    {
        if (m_mutex) {
            const DWORD waited = WaitForSingleObject(m_mutex, 1000);
            m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        }
    }
    ~SessionLock()
    {
        if (m_held)
            ReleaseMutex(m_mutex);
        if (m_mutex)
            CloseHandle(m_mutex);
    }
    SessionLock(const SessionLock &) = delete;
    SessionLock &operator=(const SessionLock &) = delete;

    bool held() const { return m_held; }

private:
    HANDLE m_mutex;
    bool m_held = false;
};

} // namespace

WindowHandle findWindowByTitle(const std::wstring &title)
{
    if (title.empty())
        return 0;
    Search search{&title, std::vector<wchar_t>(title.size() + 2), nullptr};
    EnumWindows(matchTitle, reinterpret_cast<LPARAM>(&search));
    return reinterpret_cast<WindowHandle>(search.found);
}

bool postClose(WindowHandle window)
{
    return PostMessageW(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0) != 0;
}

bool claimTitle(const std::wstring &title, const std::function<bool()> &createWindow)
{
    if (title.empty())
        return false;
    const SessionLock lock;
    if (!lock.held() || findWindowByTitle(title) != 0)
        return false;
    return createWindow();
}

} // namespace win32
