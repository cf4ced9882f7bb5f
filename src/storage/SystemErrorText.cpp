#include "storage/SystemErrorText.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#endif

namespace SystemErrorText {

namespace {

QString otherError(int code)
{
    return QStringLiteral("errore di sistema %1").arg(code);
}

} // namespace

#ifdef Q_OS_WIN

QString reason(int code)
{
    switch (static_cast<DWORD>(code)) {
    case ERROR_ACCESS_DENIED:
        return QStringLiteral("accesso negato");
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return QStringLiteral("il file è in uso da un altro programma");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return QStringLiteral("spazio su disco esaurito");
    case ERROR_WRITE_PROTECT:
        return QStringLiteral("il disco o la cartella è di sola lettura");
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return QStringLiteral("il file o la cartella non esiste");
    default:
        return otherError(code);
    }
}

int lastCode()
{
    return static_cast<int>(GetLastError());
}

void clearLast()
{
    SetLastError(0);
}

#else

QString reason(int code)
{
    // EAGAIN and EWOULDBLOCK are one value on some systems, so no switch.
    if (code == EACCES || code == EPERM)
        return QStringLiteral("accesso negato");
    if (code == EROFS)
        return QStringLiteral("il disco o la cartella è di sola lettura");
#ifdef EDQUOT
    if (code == EDQUOT)
        return QStringLiteral("spazio su disco esaurito");
#endif
    if (code == ENOSPC)
        return QStringLiteral("spazio su disco esaurito");
    if (code == EWOULDBLOCK || code == EAGAIN)
        return QStringLiteral("il file è in uso da un altro programma");
    if (code == ENOENT)
        return QStringLiteral("il file o la cartella non esiste");
    if (code == ENOTDIR)
        return QStringLiteral("una parte del percorso non è una cartella");
    if (code == EISDIR)
        return QStringLiteral("il percorso indica una cartella, non un file");
    if (code == EIO)
        return QStringLiteral("errore di lettura o scrittura sul disco");
    return otherError(code);
}

int lastCode()
{
    return errno;
}

void clearLast()
{
    errno = 0;
}

#endif

} // namespace SystemErrorText
