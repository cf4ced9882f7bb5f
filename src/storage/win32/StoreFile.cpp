#include "storage/win32/StoreFile.h"

#include <windows.h>

#include <algorithm>

namespace win32 {

namespace {

OVERLAPPED overlappedAt(std::int64_t offset)
{
    OVERLAPPED overlapped = {};
    overlapped.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFu);
    overlapped.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    return overlapped;
}

// ReadFile and WriteFile take a 32-bit count; a gigabyte at a time stays well inside it.
DWORD chunkSize(std::int64_t remaining)
{
    return static_cast<DWORD>(std::min<std::int64_t>(remaining, 0x40000000));
}

} // namespace

bool isDirectory(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileHandle openStore(const std::wstring &path)
{
    // No FILE_SHARE_WRITE, no FILE_SHARE_DELETE: the store can be neither changed by another
    // program nor deleted or renamed under this one.
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

void closeFile(FileHandle file)
{
    if (file)
        CloseHandle(file);
}

bool readAt(FileHandle file, std::int64_t offset, char *data, std::int64_t size, std::int64_t *got)
{
    std::int64_t total = 0;
    bool ok = true;
    while (total < size) {
        OVERLAPPED overlapped = overlappedAt(offset + total);
        DWORD done = 0;
        if (!ReadFile(file, data + total, chunkSize(size - total), &done, &overlapped)) {
            ok = GetLastError() == ERROR_HANDLE_EOF;
            break;
        }
        if (done == 0)
            break;
        total += done;
    }
    *got = total;
    return ok;
}

bool writeAt(FileHandle file, std::int64_t offset, const char *data, std::int64_t size)
{
    std::int64_t total = 0;
    while (total < size) {
        OVERLAPPED overlapped = overlappedAt(offset + total);
        DWORD done = 0;
        if (!WriteFile(file, data + total, chunkSize(size - total), &done, &overlapped))
            return false;
        if (done == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        total += done;
    }
    return true;
}

bool flush(FileHandle file)
{
    return FlushFileBuffers(file) != 0;
}

std::int64_t fileSize(FileHandle file)
{
    LARGE_INTEGER size = {};
    return GetFileSizeEx(file, &size) ? size.QuadPart : -1;
}

bool resize(FileHandle file, std::int64_t size)
{
    LARGE_INTEGER position = {};
    position.QuadPart = size;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

PathStatus pathStatus(FileHandle file, const std::wstring &path)
{
    // A folder above the store that was renamed would still show the same file here.
    BY_HANDLE_FILE_INFORMATION held = {};
    if (!GetFileInformationByHandle(file, &held))
        return PathStatus::SameFile;
    HANDLE atPath = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (atPath == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? PathStatus::Missing
                                                                          : PathStatus::SameFile;
    }
    BY_HANDLE_FILE_INFORMATION there = {};
    const bool known = GetFileInformationByHandle(atPath, &there);
    CloseHandle(atPath);
    if (!known)
        return PathStatus::SameFile;
    const bool same = held.dwVolumeSerialNumber == there.dwVolumeSerialNumber
        && held.nFileIndexHigh == there.nFileIndexHigh && held.nFileIndexLow == there.nFileIndexLow;
    return same ? PathStatus::SameFile : PathStatus::Replaced;
}

} // namespace win32
