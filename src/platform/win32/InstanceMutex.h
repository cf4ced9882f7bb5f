#pragma once

#include <string>

namespace win32 {

using MutexHandle = void *; // HANDLE

// The claim of a single copy: a mutex named `name` in the session's namespace (Local\), so one
// copy per logon session; other sessions, of this user or another, have claims of their own.
// Returns the mutex when this process now holds the claim, nullptr when another process does
// (`*heldElsewhere` true) or when no mutex can be made (`*heldElsewhere` false). The mutex goes
// with its last handle, also when the holder is killed.
MutexHandle claimInstance(const std::wstring &name, bool *heldElsewhere);
void releaseInstance(MutexHandle mutex);

} // namespace win32
