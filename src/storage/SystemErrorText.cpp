#include "storage/SystemErrorText.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#endif

namespace SystemErrorText {

namespace {

// The words a user meets after a failed save, one for each family of causes.
const char *const DiskFull = "disco pieno";
const char *const FileTooLarge = "file troppo grande";
const char *const QuotaExceeded = "superata la quota di spazio su disco assegnata all'utente";
const char *const InputOutput = "errore di input/output sul disco";
const char *const ReadOnlyFileSystem = "file system di sola lettura";
const char *const AccessDenied = "accesso negato";
const char *const InUse = "il file è in uso da un altro programma";
const char *const NotFound = "il file o la cartella non esiste";
const char *const NetworkLost = "la connessione con il disco di rete si è interrotta";
const char *const DeviceGone = "il disco non è più collegato o non è pronto";
const char *const OutOfMemory = "memoria insufficiente";
const char *const TooManyFiles = "troppi file aperti";
const char *const PathTooLong = "percorso troppo lungo";

QString text(const char *words)
{
    return QString::fromUtf8(words);
}

QString otherError(int code)
{
    return QStringLiteral("errore di sistema %1").arg(code);
}

} // namespace

#ifdef Q_OS_WIN

// ERROR_DISK_QUOTA_EXCEEDED, which older Windows headers do not define.
constexpr DWORD DiskQuotaExceeded = 1295;

QString reason(int code)
{
    switch (static_cast<DWORD>(code)) {
    case ERROR_ACCESS_DENIED:
        return text(AccessDenied);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return text(InUse);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return text(DiskFull);
    case ERROR_FILE_TOO_LARGE:
        return text(FileTooLarge);
    case DiskQuotaExceeded:
    case ERROR_NOT_ENOUGH_QUOTA:
        return text(QuotaExceeded);
    case ERROR_IO_DEVICE:
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_SECTOR_NOT_FOUND:
        return text(InputOutput);
    case ERROR_WRITE_PROTECT:
        return text(ReadOnlyFileSystem);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return text(NotFound);
    case ERROR_NETNAME_DELETED:
    case ERROR_BAD_NETPATH:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETWORK_UNREACHABLE:
        return text(NetworkLost);
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
        return text(DeviceGone);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return text(OutOfMemory);
    case ERROR_TOO_MANY_OPEN_FILES:
        return text(TooManyFiles);
    case ERROR_FILENAME_EXCED_RANGE:
        return text(PathTooLong);
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
    // Some of these share one value on some systems (EAGAIN and EWOULDBLOCK), so no switch.
    if (code == EACCES || code == EPERM)
        return text(AccessDenied);
    if (code == EROFS)
        return text(ReadOnlyFileSystem);
    if (code == ENOSPC)
        return text(DiskFull);
    if (code == EFBIG)
        return text(FileTooLarge);
#ifdef EDQUOT
    if (code == EDQUOT)
        return text(QuotaExceeded);
#endif
    if (code == EIO)
        return text(InputOutput);
    if (code == EWOULDBLOCK || code == EAGAIN || code == ETXTBSY)
        return text(InUse);
    if (code == ENOENT)
        return text(NotFound);
    if (code == ENOTDIR)
        return QStringLiteral("una parte del percorso non è una cartella");
    if (code == EISDIR)
        return QStringLiteral("il percorso indica una cartella, non un file");
    if (code == ESTALE || code == ENOTCONN || code == ETIMEDOUT || code == EHOSTDOWN
        || code == EHOSTUNREACH || code == ENETDOWN || code == ENETUNREACH || code == ECONNRESET)
        return text(NetworkLost);
    if (code == ENXIO || code == ENODEV)
        return text(DeviceGone);
#ifdef ENOMEDIUM
    if (code == ENOMEDIUM)
        return text(DeviceGone);
#endif
    if (code == ENOMEM)
        return text(OutOfMemory);
    if (code == EMFILE || code == ENFILE)
        return text(TooManyFiles);
    if (code == ENAMETOOLONG)
        return text(PathTooLong);
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
