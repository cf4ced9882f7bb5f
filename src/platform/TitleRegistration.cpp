#include "platform/TitleRegistration.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <QCloseEvent>
#include <QWidget>
#else
#include "platform/WindowRegistry.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#endif

#include <QMetaObject>

namespace {

#ifdef Q_OS_WIN

// Never shown: FindWindow sees hidden windows too, and WM_CLOSE arrives as a close event.
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
constexpr qint64 MaxRequestLength = 64;
// A look-up connects and hangs up at once; nothing legitimate keeps a connection longer.
constexpr int ConnectionLifetimeMs = 5000;

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
    return m_server != nullptr;
#endif
}

#ifdef Q_OS_WIN

bool TitleRegistration::registerTitle(const QString &title)
{
    unregister();
    if (title.isEmpty())
        return false;
    if (::FindWindowW(nullptr, reinterpret_cast<LPCWSTR>(title.utf16())) != nullptr)
        return false;
    auto window = std::make_unique<RegistrationWindow>(this);
    window->setWindowTitle(title);
    window->winId(); // creates the native window, which is what FindWindow finds
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
    // listen happen under a lock, and QLocalServer would otherwise replace a live socket file.
    QLockFile claim(path + QStringLiteral(".reglock"));
    if (!claim.tryLock(1000))
        return false;
    if (WindowRegistry::isLive(path))
        return false;
    // Only a file left by a registrant that died without closing its server gets here.
    QLocalServer::removeServer(path);

    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path)) {
        qWarning("Cannot publish the window title %ls: %ls", qUtf16Printable(title),
                 qUtf16Printable(server->errorString()));
        delete server;
        return false;
    }
    connect(server, &QLocalServer::newConnection, this, &TitleRegistration::acceptConnections);
    m_server = server;
    m_title = title;
    return true;
}

void TitleRegistration::unregister()
{
    // Closing the server removes its socket file, and deleting it drops its connections.
    delete m_server;
    m_server = nullptr;
    m_title.clear();
}

void TitleRegistration::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequests(socket); });
        QTimer::singleShot(ConnectionLifetimeMs, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            readRequests(socket);
    }
}

void TitleRegistration::readRequests(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(MaxRequestLength);
        if (line == WindowRegistry::CloseRequest)
            QMetaObject::invokeMethod(this, &TitleRegistration::closeRequested, Qt::QueuedConnection);
    }
    if (socket->bytesAvailable() > MaxRequestLength)
        socket->abort();
}

#endif
