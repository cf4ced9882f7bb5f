#include "storage/NativeRecordFile.h"

#include "storage/SystemErrorText.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include "storage/win32/StoreFile.h"
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

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

} // namespace

std::unique_ptr<NativeRecordFile> NativeRecordFile::open(const QString &path, QString *reason)
{
    const std::wstring native = nativePath(path);
    if (win32::isDirectory(native)) {
        *reason = QStringLiteral("il percorso indica una cartella, non un file");
        return nullptr;
    }
    win32::FileHandle handle = win32::openStore(native);
    if (!handle) {
        *reason = SystemErrorText::reason(SystemErrorText::lastCode());
        return nullptr;
    }
    return std::unique_ptr<NativeRecordFile>(new NativeRecordFile(handle));
}

NativeRecordFile::~NativeRecordFile()
{
    win32::closeFile(m_handle);
}

bool NativeRecordFile::readAt(qint64 offset, char *data, qint64 size, qint64 *got)
{
    std::int64_t done = 0;
    const bool ok = win32::readAt(m_handle, offset, data, size, &done);
    *got = done;
    return ok ? true : failWithLastError();
}

bool NativeRecordFile::writeAt(qint64 offset, const char *data, qint64 size)
{
    return win32::writeAt(m_handle, offset, data, size) ? true : failWithLastError();
}

bool NativeRecordFile::flush()
{
    return win32::flush(m_handle) ? true : failWithLastError();
}

qint64 NativeRecordFile::size()
{
    const std::int64_t size = win32::fileSize(m_handle);
    if (size < 0)
        failWithLastError();
    return size;
}

bool NativeRecordFile::resize(qint64 size)
{
    return win32::resize(m_handle, size) ? true : failWithLastError();
}

StoreLocation NativeRecordFile::locationAt(const QString &path)
{
    switch (win32::pathStatus(m_handle, nativePath(path))) {
    case win32::PathStatus::Missing:
        return StoreLocation::Missing;
    case win32::PathStatus::Replaced:
        return StoreLocation::Replaced;
    case win32::PathStatus::SameFile:
        break;
    }
    return StoreLocation::Same;
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
