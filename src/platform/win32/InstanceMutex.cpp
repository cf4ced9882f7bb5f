#include "platform/win32/InstanceMutex.h"

#include <windows.h>

namespace win32 {

MutexHandle claimInstance(const std::wstring &name, bool *heldElsewhere)
{
    const std::wstring fullName = L"Local\\" + name;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, fullName.c_str());
    // A copy running with other rights holds a mutex this process may not open.
    if (!mutex) {
        *heldElsewhere = GetLastError() == ERROR_ACCESS_DENIED;
        return nullptr;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        *heldElsewhere = true;
        return nullptr;
    }
    *heldElsewhere = false;
    return mutex;
}

void releaseInstance(MutexHandle mutex)
{
    if (mutex)
        CloseHandle(mutex);
}

} // namespace win32
