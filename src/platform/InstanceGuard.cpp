#include "platform/InstanceGuard.h"

#ifdef Q_OS_WIN
#include "platform/win32/InstanceMutex.h"

#include <string>
#else
#include "platform/WindowRegistry.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_WIN

// A named mutex disappears with the last handle to it, so a crashed copy leaves no claim.
class MutexInstanceGuard : public InstanceGuard
{
public:
    explicit MutexInstanceGuard(const QString &name) : m_name(name.toStdWString()) {}
    ~MutexInstanceGuard() override { win32::releaseInstance(m_mutex); }

    bool anotherInstanceRunning() override
    {
        if (m_mutex)
            return false;
        bool heldElsewhere = false;
        m_mutex = win32::claimInstance(m_name, &heldElsewhere);
        return heldElsewhere;
    }

private:
    std::wstring m_name;
    win32::MutexHandle m_mutex = nullptr;
};

#else

// The kernel drops the lock with the last descriptor of the process that holds it, so a
// crashed copy leaves no claim behind and nothing has to decide whether a lock is stale. (A
// lock file of Qt's kind records a process id instead, and proves it stale with two synced
// writes on the next start.)
class FlockInstanceGuard : public InstanceGuard
{
public:
    explicit FlockInstanceGuard(const QString &path) : m_path(QFile::encodeName(path)) {}
    ~FlockInstanceGuard() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool anotherInstanceRunning() override
    {
        if (m_fd >= 0)
            return false;
        const int fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        // Without a usable lock file nothing shows that another copy runs, and without the
        // private directory the tray program cannot be found either, so the program ends anyway.
        if (fd < 0)
            return false;
        int result;
        do {
            result = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        if (result == 0) {
            m_fd = fd;
            return false;
        }
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held;
    }

private:
    QByteArray m_path;
    int m_fd = -1;
};

class UnguardedInstance : public InstanceGuard
{
public:
    bool anotherInstanceRunning() override { return false; }
};

#endif

} // namespace

std::unique_ptr<InstanceGuard> createSystemInstanceGuard(const QString &name)
{
#ifdef Q_OS_WIN
    return std::make_unique<MutexInstanceGuard>(name);
#else
    const QString dir = WindowRegistry::directory();
    if (dir.isEmpty() || name.isEmpty())
        return std::make_unique<UnguardedInstance>();
    return std::make_unique<FlockInstanceGuard>(dir + QLatin1Char('/') + name + QStringLiteral(".lock"));
#endif
}
