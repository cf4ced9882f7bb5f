#include "storage/win32/ErrorText.h"

#include "storage/ErrorWords.h"

#include <windows.h>

namespace win32 {

namespace {

// ERROR_DISK_QUOTA_EXCEEDED, which older Windows headers do not define.
constexpr DWORD DiskQuotaExceeded = 1295;

const char *words(DWORD code)
{
    using namespace ErrorWords;
    switch (code) {
    case ERROR_ACCESS_DENIED:
        return AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return InUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return DiskFull;
    case ERROR_FILE_TOO_LARGE:
        return FileTooLarge;
    case DiskQuotaExceeded:
    case ERROR_NOT_ENOUGH_QUOTA:
        return QuotaExceeded;
    case ERROR_IO_DEVICE:
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_SECTOR_NOT_FOUND:
        return InputOutput;
    case ERROR_WRITE_PROTECT:
        return ReadOnlyFileSystem;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return NotFound;
    case ERROR_NETNAME_DELETED:
    case ERROR_BAD_NETPATH:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETWORK_UNREACHABLE:
        return NetworkLost;
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
        return DeviceGone;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return OutOfMemory;
    case ERROR_TOO_MANY_OPEN_FILES:
        return TooManyFiles;
    case ERROR_FILENAME_EXCED_RANGE:
        return PathTooLong;
    default:
        return nullptr;
    }
}

} // namespace

std::string errorReason(std::uint32_t code)
{
    const char *known = words(code);
    return known ? std::string(known) : ErrorWords::OtherError + std::to_string(code);
}

} // namespace win32
