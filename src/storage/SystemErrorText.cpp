#include "storage/SystemErrorText.h"

#ifdef Q_OS_WIN
#include "storage/win32/ErrorText.h"

#include <qt_windows.h>
#else
#include "storage/ErrorWords.h"

#include <cerrno>
#endif

namespace SystemErrorText {

#ifdef Q_OS_WIN

QString reason(int code)
{
    return QString::fromStdString(win32::errorReason(static_cast<std::uint32_t>(code)));
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

namespace {

QString text(const char *words)
{
    return QString::fromUtf8(words);
}

QString otherError(int code)
{
    return text(ErrorWords::OtherError) + QString::number(code);
}

} // namespace

QString reason(int code)
{
    // Some of these share one value on some systems (EAGAIN and EWOULDBLOCK), so no switch.
    if (code == EACCES || code == EPERM)
        return text(ErrorWords::AccessDenied);
    if (code == EROFS)
        return text(ErrorWords::ReadOnlyFileSystem);
    if (code == ENOSPC)
        return text(ErrorWords::DiskFull);
    if (code == EFBIG)
        return text(ErrorWords::FileTooLarge);
#ifdef EDQUOT
    if (code == EDQUOT)
        return text(ErrorWords::QuotaExceeded);
#endif
    if (code == EIO)
        return text(ErrorWords::InputOutput);
    if (code == EWOULDBLOCK || code == EAGAIN || code == ETXTBSY)
        return text(ErrorWords::InUse);
    if (code == ENOENT)
        return text(ErrorWords::NotFound);
    if (code == ENOTDIR)
        return QStringLiteral("una parte del percorso non è una cartella");
    if (code == EISDIR)
        return QStringLiteral("il percorso indica una cartella, non un file");
    if (code == ESTALE || code == ENOTCONN || code == ETIMEDOUT || code == EHOSTDOWN
        || code == EHOSTUNREACH || code == ENETDOWN || code == ENETUNREACH || code == ECONNRESET)
        return text(ErrorWords::NetworkLost);
    if (code == ENXIO || code == ENODEV)
        return text(ErrorWords::DeviceGone);
#ifdef ENOMEDIUM
    if (code == ENOMEDIUM)
        return text(ErrorWords::DeviceGone);
#endif
    if (code == ENOMEM)
        return text(ErrorWords::OutOfMemory);
    if (code == EMFILE || code == ENFILE)
        return text(ErrorWords::TooManyFiles);
    if (code == ENAMETOOLONG)
        return text(ErrorWords::PathTooLong);
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
