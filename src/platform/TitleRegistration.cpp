#include "platform/TitleRegistration.h"

#ifdef Q_OS_WIN
#include "platform/win32/TopLevelWindows.h"

#include <QCloseEvent>
#include <QWidget>
#else
#include "platform/WindowRegistry.h"

#include <QFile>
#include <QLockFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <QMetaObject>

namespace {

#ifdef Q_OS_WIN

// Never shown: a look-up sees hidden windows too, and WM_CLOSE arrives as a close event.
class RegistrationWindow : public QWidget
{
public:
    explicit RegistrationWindow(TitleRegistration *owner) : m_owner(owner)
    {
        setAttribute(Qt::WA_QuitOnClose, false);
    }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        QMetaObject::invokeMethod(m_owner, &TitleRegistration::closeRequested, Qt::QueuedConnection);
    }

private:
    TitleRegistration *m_owner;
};

#else

// Longer than any request; a peer that sends more is not one of ours.
constexpr qsizetype MaxRequestLength = 64;
// A look-up connects and hangs up at once; nothing legitimate keeps a connection longer.
constexpr int ConnectionLifetimeMs = 5000;

// One accepted peer: reads its lines until it hangs up, misbehaves or outstays its welcome.
class RequestConnection : public QObject
{
public:
    // Lives under the listener's notifier, so that giving the title up drops the connections.
    RequestConnection(int fd, TitleRegistration *owner, QObject *parent)
        : QObject(parent), m_fd(fd), m_owner(owner), m_notifier(fd, QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, &RequestConnection::readRequests);
        QTimer::singleShot(ConnectionLifetimeMs, this, &RequestConnection::finish);
        readRequests(); // the request may have come with the connection
    }
    ~RequestConnection() override
    {
        m_notifier.setEnabled(false); // before its descriptor goes
        ::close(m_fd);
    }

private:
    void readRequests()
    {
        if (m_done)
            return;
        char chunk[MaxRequestLength];
        for (;;) {
            const ssize_t got = ::recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                break;
            if (got <= 0) { // hung up, or the connection broke
                finish();
                return;
            }
            m_buffer.append(chunk, got);
            qsizetype end;
            while ((end = m_buffer.indexOf('\n')) >= 0) {
                if (m_buffer.left(end + 1) == WindowRegistry::CloseRequest)
                    QMetaObject::invokeMethod(m_owner, &TitleRegistration::closeRequested, Qt::QueuedConnection);
                m_buffer.remove(0, end + 1);
            }
            if (m_buffer.size() > MaxRequestLength) {
                finish();
                return;
            }
        }
    }

    void finish()
    {
        if (m_done)
            return;
        m_done = true;
        m_notifier.setEnabled(false);
        deleteLater();
    }

    int m_fd;
    TitleRegistration *m_owner;
    QSocketNotifier m_notifier;
    QByteArray m_buffer;
    bool m_done = false;
};

#endif

} // namespace

TitleRegistration::TitleRegistration(QObject *parent) : QObject(parent) {}

TitleRegistration::~TitleRegistration()
{
    unregister();
}

bool TitleRegistration::isRegistered() const
{
#ifdef Q_OS_WIN
    return m_window != nullptr;
#else
    return m_listener >= 0;
#endif
}

#ifdef Q_OS_WIN

bool TitleRegistration::registerTitle(const QString &title)
{
    unregister();
    if (title.isEmpty())
        return false;
    auto window = std::make_unique<RegistrationWindow>(this);
    window->setWindowTitle(title);
    // The native window, which is what a look-up finds, is made while the claim holds its lock.
    const bool claimed = win32::claimTitle(title.toStdWString(), [&window] {
        window->winId();
        return true;
    });
    if (!claimed)
        return false;
    m_window = std::move(window);
    m_title = title;
    return true;
}

void TitleRegistration::unregister()
{
    m_window.reset();
    m_title.clear();
}

#else

bool TitleRegistration::registerTitle(const QString &title)
{
    unregister();
    const QString path = WindowRegistry::socketPath(title);
    if (path.isEmpty())
        return false;

    // Two processes registering the same title at once must not both win: the check and the
    // listen happen under a lock.
    QLockFile claim(path + QStringLiteral(".reglock"));
    if (!claim.tryLock(1000))
        return false;
    if (WindowRegistry::isLive(path))
        return false;
    // Only a file left by a registrant that died without closing its socket gets here.
    ::unlink(QFile::encodeName(path).constData());

    const int fd = WindowRegistry::listenOn(path);
    if (fd < 0) {
        qWarning("Cannot publish the window title %ls: %s", qUtf16Printable(title), std::strerror(errno));
        return false;
    }
    m_listener = fd;
    m_path = path;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TitleRegistration::acceptConnections);
    m_title = title;
    return true;
}

void TitleRegistration::unregister()
{
    // The file goes first, so that no look-up finds a title that is about to go; the open
    // connections go with this object or with their own lifetime.
    if (m_listener >= 0) {
        ::unlink(QFile::encodeName(m_path).constData());
        delete m_notifier;
        m_notifier = nullptr;
        ::close(m_listener);
        m_listener = -1;
        m_path.clear();
    }
    m_title.clear();
}

void TitleRegistration::acceptConnections()
{
    for (;;) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return; // EAGAIN: all taken; anything else: the next notification tries again
        }
        new RequestConnection(fd, this, m_notifier);
    }
}

#endif
