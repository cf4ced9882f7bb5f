#pragma once

#include <cstdint>
#include <string>

// The store file through the Win32 file calls, free of Qt so that the same code runs in the
// Windows test program. Every failing call leaves its reason in GetLastError().
namespace win32 {

using FileHandle = void *; // HANDLE, without windows.h in every includer

enum class PathStatus : std::uint8_t {
    SameFile, // the path names the open file, or nothing says otherwise
    Replaced, // another file is at the path
    Missing,  // nothing is at the path
};

bool isDirectory(const std::wstring &path);
// Opened for reading and writing, never created. Other programs may read it while it is open,
// but neither write, delete nor rename it, nor open it a second time for writing. nullptr on
// failure.
FileHandle openStore(const std::wstring &path);
void closeFile(FileHandle file);

// Short reads at the end of the file are no failure: `*got` says how much was there.
bool readAt(FileHandle file, std::int64_t offset, char *data, std::int64_t size, std::int64_t *got);
// A write that takes nothing fails with ERROR_DISK_FULL rather than loop for ever.
bool writeAt(FileHandle file, std::int64_t offset, const char *data, std::int64_t size);
bool flush(FileHandle file);
// -1 on failure.
std::int64_t fileSize(FileHandle file);
bool resize(FileHandle file, std::int64_t size);

// Whether `path` still names the open file: same volume serial number and file index.
PathStatus pathStatus(FileHandle file, const std::wstring &path);

} // namespace win32
