#include "platform/ClipboardKeeper.h"

#include "platform/WindowRegistry.h"

#ifndef Q_OS_WIN
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

// A name no window takes, in the same private directory as the titles.
const QString KeeperName = QStringLiteral("KardelTray Appunti");
// Far more than 44 cells of 100 characters; a peer that sends more is not the address book.
constexpr qsizetype MaxTextBytes = 1 << 20;
constexpr int AnswerTimeoutMs = 1000;
constexpr char Taken = 'k';

} // namespace

ClipboardKeeper::ClipboardKeeper(Clipboard &clipboard, QObject *parent)
    : QObject(parent), m_clipboard(clipboard)
{
}

#ifdef Q_OS_WIN

ClipboardKeeper::~ClipboardKeeper() = default;

bool ClipboardKeeper::listen()
{
    return true; // the system keeps the clipboard
}

bool ClipboardKeeper::handOver(const QString &)
{
    return false;
}

void ClipboardKeeper::takeOne()
{
}

#else

namespace {

// Waits for the descriptor to be readable within the time left; false on time-out.
bool waitReadable(int fd, int timeoutMs)
{
    pollfd wanted{fd, POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&wanted, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool sendAll(int fd, const QByteArray &bytes)
{
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t done = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        sent += done;
    }
    return true;
}

} // namespace

ClipboardKeeper::~ClipboardKeeper()
{
    if (m_listener < 0)
        return;
    delete m_notifier;
    ::close(m_listener);
    QFile::remove(m_path);
}

bool ClipboardKeeper::listen()
{
    m_path = WindowRegistry::socketPath(KeeperName);
    if (m_path.isEmpty() || WindowRegistry::isLive(m_path))
        return false;
    QFile::remove(m_path); // left by a keeper that died
    m_listener = WindowRegistry::listenOn(m_path);
    if (m_listener < 0)
        return false;
    m_notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ClipboardKeeper::takeOne);
    return true;
}

// The address book sends its text and hangs up its side; it is waiting for the answer, so the
// text is read here at once, within a bounded time.
void ClipboardKeeper::takeOne()
{
    const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    QByteArray text;
    char chunk[4096];
    for (;;) {
        if (!waitReadable(fd, AnswerTimeoutMs))
            break;
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || text.size() + got > MaxTextBytes) {
            if (got == 0) {
                m_clipboard.setText(QString::fromUtf8(text));
                sendAll(fd, QByteArray(1, Taken));
            }
            break;
        }
        text.append(chunk, got);
    }
    ::close(fd);
}

bool ClipboardKeeper::handOver(const QString &text)
{
    const int fd = WindowRegistry::connectTo(WindowRegistry::socketPath(KeeperName));
    if (fd < 0)
        return false;
    char answer = 0;
    const bool taken = sendAll(fd, text.toUtf8()) && ::shutdown(fd, SHUT_WR) == 0
        && waitReadable(fd, AnswerTimeoutMs) && ::recv(fd, &answer, 1, 0) == 1 && answer == Taken;
    ::close(fd);
    return taken;
}

#endif
