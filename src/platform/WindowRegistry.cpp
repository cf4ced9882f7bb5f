#include "platform/WindowRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

#ifndef Q_OS_WIN
// Creates a private directory, or accepts an existing one only if it is a real directory of
// this user; a link or a foreign directory could let another user read or replace our sockets.
bool ensurePrivateDirectory(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info;
    if (::lstat(native.constData(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    if ((info.st_mode & 07777) != 0700 && ::chmod(native.constData(), 0700) != 0)
        return false;
    return true;
}

// False when the path does not fit a socket address.
bool toAddress(const QString &path, sockaddr_un *address)
{
    const QByteArray native = QFile::encodeName(path);
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    if (native.isEmpty() || size_t(native.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, native.constData(), size_t(native.size()));
    return true;
}
#endif

// A Unix socket path holds at most 107 bytes, so a long title is replaced by a digest instead
// of spelled out.
constexpr int MaxSocketNameLength = 32;

QString socketName(const QString &title)
{
    const QByteArray utf8 = title.toUtf8();
    if (utf8.size() * 2 <= MaxSocketNameLength)
        return QString::fromLatin1(utf8.toHex());
    // The prefix keeps digests apart from spelled-out names, which never contain an 'h'.
    const QByteArray digest = QCryptographicHash::hash(utf8, QCryptographicHash::Sha256).toHex();
    return QLatin1Char('h') + QString::fromLatin1(digest.left(MaxSocketNameLength - 1));
}

} // namespace

namespace WindowRegistry {

QString directory()
{
#ifdef Q_OS_WIN
    return QString();
#else
    QString base;
    // Without the variable Qt would warn and invent a directory of its own; ours says whose it is.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty()) {
        base = QDir::tempPath() + QStringLiteral("/tessavo-") + QString::number(::geteuid());
        if (!ensurePrivateDirectory(base))
            return QString();
    }
    const QString path = base + QStringLiteral("/tessavo-windows");
    return ensurePrivateDirectory(path) ? path : QString();
#endif
}

QString socketPath(const QString &title)
{
    if (title.isEmpty())
        return QString();
    const QString dir = directory();
    if (dir.isEmpty())
        return QString();
    return dir + QLatin1Char('/') + socketName(title);
}

bool isLive(const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false;
#else
    const int fd = connectTo(path);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
#endif
}

#ifndef Q_OS_WIN

int connectTo(const QString &path)
{
    sockaddr_un address;
    if (path.isEmpty() || !toAddress(path, &address))
        return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    // A socket file without a listener is refused at once; only a live listener whose queue
    // is full makes connect() wait, and the send timeout bounds that wait.
    timeval timeout{ConnectTimeoutMs / 1000, (ConnectTimeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    int result;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int listenOn(const QString &path)
{
    sockaddr_un address;
    if (path.isEmpty() || !toAddress(path, &address)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    // The directory already keeps others out; the file's own mode says the same to anyone who
    // looks at the socket alone.
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    if (!bound || ::chmod(address.sun_path, 0600) != 0 || ::listen(fd, 16) != 0) {
        const int saved = errno;
        if (bound)
            ::unlink(address.sun_path);
        ::close(fd);
        errno = saved;
        return -1;
    }
    return fd;
}

#endif

} // namespace WindowRegistry
