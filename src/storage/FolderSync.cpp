#include "storage/FolderSync.h"

#include "storage/SystemErrorText.h"

#ifndef Q_OS_WIN
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN

bool syncFolder(const QString &, QString *)
{
    // NTFS logs a new or removed name with the metadata that FlushFileBuffers commits.
    return true;
}

#else

bool syncFolder(const QString &folder, QString *reason)
{
    int fd = -1;
    do {
        fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        *reason = SystemErrorText::reason(errno);
        return false;
    }
    // Some file systems cannot flush a folder (EINVAL); their names are kept some other way.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    if (!synced)
        *reason = SystemErrorText::reason(errno);
    ::close(fd);
    return synced;
}

#endif
