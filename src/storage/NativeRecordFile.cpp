#include "storage/NativeRecordFile.h"

#include "storage/SystemErrorText.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <qt_windows.h>

#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

NativeRecordFile::NativeRecordFile(Handle handle)
    : m_handle(handle)
{
}

QString NativeRecordFile::errorReason() const
{
    return m_errorReason;
}

bool NativeRecordFile::failWithLastError()
{
    m_errorReason = SystemErrorText::reason(SystemErrorText::lastCode());
    return false;
}

#ifdef Q_OS_WIN

namespace {

OVERLAPPED overlappedAt(qint64 offset)
{
    OVERLAPPED overlapped = {};
    overlapped.Offset = static_cast<DWORD>(static_cast<quint64>(offset) & 0xFFFFFFFFu);
    overlapped.OffsetHigh = static_cast<DWORD>(static_cast<quint64>(offset) >> 32);
    return overlapped;
}

DWORD chunkSize(qint64 remaining)
{
    return static_cast<DWORD>(qMin<qint64>(remaining, 0x40000000));
}

} // namespace

std::unique_ptr<NativeRecordFile> NativeRecordFile::open(const QString &path, QString *reason)
{
    const QString native = QDir::toNativeSeparators(path);
    const auto *widePath = reinterpret_cast<const wchar_t *>(native.utf16());
    const DWORD attributes = GetFileAttributesW(widePath);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        *reason = QStringLiteral("il percorso indica una cartella, non un file");
        return nullptr;
    }
    // Other programs may read the file while it is open here, but not write, delete or rename
    // it (no FILE_SHARE_WRITE, no FILE_SHARE_DELETE).
    HANDLE handle = CreateFileW(widePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        *reason = SystemErrorText::reason(SystemErrorText::lastCode());
        return nullptr;
    }
    return std::unique_ptr<NativeRecordFile>(new NativeRecordFile(handle));
}

NativeRecordFile::~NativeRecordFile()
{
    CloseHandle(m_handle);
}

bool NativeRecordFile::readAt(qint64 offset, char *data, qint64 size, qint64 *got)
{
    qint64 total = 0;
    while (total < size) {
        OVERLAPPED overlapped = overlappedAt(offset + total);
        DWORD done = 0;
        if (!ReadFile(m_handle, data + total, chunkSize(size - total), &done, &overlapped)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                break;
            *got = total;
            return failWithLastError();
        }
        if (done == 0)
            break;
        total += done;
    }
    *got = total;
    return true;
}

bool NativeRecordFile::writeAt(qint64 offset, const char *data, qint64 size)
{
    qint64 total = 0;
    while (total < size) {
        OVERLAPPED overlapped = overlappedAt(offset + total);
        DWORD done = 0;
        if (!WriteFile(m_handle, data + total, chunkSize(size - total), &done, &overlapped))
            return failWithLastError();
        if (done == 0) {
            m_errorReason = SystemErrorText::reason(ERROR_DISK_FULL);
            return false;
        }
        total += done;
    }
    return true;
}

bool NativeRecordFile::flush()
{
    return FlushFileBuffers(m_handle) ? true : failWithLastError();
}

qint64 NativeRecordFile::size()
{
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(m_handle, &size)) {
        failWithLastError();
        return -1;
    }
    return size.QuadPart;
}

bool NativeRecordFile::resize(qint64 size)
{
    LARGE_INTEGER position = {};
    position.QuadPart = size;
    if (!SetFilePointerEx(m_handle, position, nullptr, FILE_BEGIN) || !SetEndOfFile(m_handle))
        return failWithLastError();
    return true;
}

StoreLocation NativeRecordFile::locationAt(const QString &path)
{
    // The store is opened without FILE_SHARE_DELETE, so it can be neither deleted nor renamed
    // while it is open; a folder above it that was renamed would still show here.
    BY_HANDLE_FILE_INFORMATION held = {};
    if (!GetFileInformationByHandle(m_handle, &held))
        return StoreLocation::Same;
    const QString native = QDir::toNativeSeparators(path);
    HANDLE atPath = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (atPath == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? StoreLocation::Missing
                                                                          : StoreLocation::Same;
    }
    BY_HANDLE_FILE_INFORMATION there = {};
    const bool known = GetFileInformationByHandle(atPath, &there);
    CloseHandle(atPath);
    if (!known)
        return StoreLocation::Same;
    const bool same = held.dwVolumeSerialNumber == there.dwVolumeSerialNumber
        && held.nFileIndexHigh == there.nFileIndexHigh && held.nFileIndexLow == there.nFileIndexLow;
    return same ? StoreLocation::Same : StoreLocation::Replaced;
}

#else

std::unique_ptr<NativeRecordFile> NativeRecordFile::open(const QString &path, QString *reason)
{
    const QByteArray localPath = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(localPath.constData(), O_RDWR | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        *reason = SystemErrorText::reason(errno);
        return nullptr;
    }
    // Only a lock held elsewhere refuses the file; a file system without locks is still used.
    int locked = -1;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked < 0 && errno == EINTR);
    if (locked < 0 && (errno == EWOULDBLOCK || errno == EAGAIN)) {
        *reason = SystemErrorText::reason(errno);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<NativeRecordFile>(new NativeRecordFile(fd));
}

NativeRecordFile::~NativeRecordFile()
{
    // Closing the descriptor also drops the lock.
    ::close(m_handle);
}

bool NativeRecordFile::readAt(qint64 offset, char *data, qint64 size, qint64 *got)
{
    qint64 total = 0;
    while (total < size) {
        const ssize_t done = ::pread(m_handle, data + total, static_cast<size_t>(size - total),
                                     static_cast<off_t>(offset + total));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            *got = total;
            return failWithLastError();
        }
        if (done == 0)
            break;
        total += done;
    }
    *got = total;
    return true;
}

bool NativeRecordFile::writeAt(qint64 offset, const char *data, qint64 size)
{
    qint64 total = 0;
    while (total < size) {
        const ssize_t done = ::pwrite(m_handle, data + total, static_cast<size_t>(size - total),
                                      static_cast<off_t>(offset + total));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return failWithLastError();
        }
        // A write that takes nothing would loop for ever; it only happens on a full disk.
        if (done == 0) {
            m_errorReason = SystemErrorText::reason(ENOSPC);
            return false;
        }
        total += done;
    }
    return true;
}

bool NativeRecordFile::flush()
{
#ifdef Q_OS_DARWIN
    const int result = ::fsync(m_handle);
#else
    const int result = ::fdatasync(m_handle);
#endif
    return result == 0 ? true : failWithLastError();
}

qint64 NativeRecordFile::size()
{
    struct stat status = {};
    if (::fstat(m_handle, &status) != 0) {
        failWithLastError();
        return -1;
    }
    return status.st_size;
}

bool NativeRecordFile::resize(qint64 size)
{
    int result = -1;
    do {
        result = ::ftruncate(m_handle, static_cast<off_t>(size));
    } while (result < 0 && errno == EINTR);
    return result == 0 ? true : failWithLastError();
}

StoreLocation NativeRecordFile::locationAt(const QString &path)
{
    // While this descriptor is open its inode cannot be freed, so no other file can take its
    // number: equal device and inode numbers mean the very same file.
    struct stat held = {};
    if (::fstat(m_handle, &held) != 0)
        return StoreLocation::Same;
    struct stat there = {};
    if (::stat(QFile::encodeName(path).constData(), &there) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return StoreLocation::Missing;
        // The path cannot be looked at (a folder without permission, a network error): only a
        // file with no name left is known to be an orphan.
        return held.st_nlink == 0 ? StoreLocation::Missing : StoreLocation::Same;
    }
    return held.st_dev == there.st_dev && held.st_ino == there.st_ino ? StoreLocation::Same
                                                                      : StoreLocation::Replaced;
}

#endif
