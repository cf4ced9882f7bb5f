#include "platform/WindowRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#ifndef Q_OS_WIN
#include <cerrno>
#include <sys/stat.h>
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
#endif

// A Unix socket path holds at most 107 bytes, and QLocalServer binds a few bytes longer name
// first, so a long title is replaced by a digest instead of spelled out.
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
    if (path.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(path);
    // A socket file without a listener is refused at once, so only a busy live one waits.
    const bool live = socket.waitForConnected(ConnectTimeoutMs);
    socket.abort();
    return live;
}

} // namespace WindowRegistry
