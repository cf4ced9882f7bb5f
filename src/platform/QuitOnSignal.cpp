#include "platform/QuitOnSignal.h"

#include <utility>

#ifndef Q_OS_WIN
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may do next to nothing; it writes one byte, and the event loop reads it.
int signalPipe[2] = {-1, -1};
const int watchedSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

QuitOnSignal::QuitOnSignal(QObject *parent) : QuitOnSignal(nullptr, parent) {}

QuitOnSignal::QuitOnSignal(std::function<void()> handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        qWarning("Cannot watch termination signals");
        return;
    }
    // Programs started from here must not inherit the pair; a handler must never block.
    for (int end : signalPipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        // Signals that came together are one request.
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        if (!m_handler) {
            QCoreApplication::quit();
            return;
        }
        // The handler may open a modal box; run inside this notification, the box's own event
        // loop would not hear of the next signal.
        QTimer::singleShot(0, this, [this] { m_handler(); });
    });

    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : watchedSignals)
        ::sigaction(signal, &action, nullptr);
}

QuitOnSignal::~QuitOnSignal()
{
    if (!m_notifier)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : watchedSignals)
        ::sigaction(signal, &action, nullptr);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void QuitOnSignal::ignoreFileSizeLimitSignal()
{
    ::signal(SIGXFSZ, SIG_IGN);
}

#else

QuitOnSignal::QuitOnSignal(QObject *parent) : QObject(parent) {}

QuitOnSignal::QuitOnSignal(std::function<void()> handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler))
{
}

QuitOnSignal::~QuitOnSignal() = default;

void QuitOnSignal::ignoreFileSizeLimitSignal() {}

#endif
