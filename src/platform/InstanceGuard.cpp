#include "platform/InstanceGuard.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <string>
#else
#include "platform/WindowRegistry.h"

#include <QLockFile>
#endif

namespace {

#ifdef Q_OS_WIN

// A named mutex disappears with the last handle to it, so a crashed copy leaves no claim.
class MutexInstanceGuard : public InstanceGuard
{
public:
    explicit MutexInstanceGuard(const QString &name) : m_name(QStringLiteral("Local\\") + name) {}
    ~MutexInstanceGuard() override
    {
        if (m_mutex)
            ::CloseHandle(m_mutex);
    }

    bool anotherInstanceRunning() override
    {
        if (m_mutex)
            return false;
        const std::wstring name = m_name.toStdWString();
        HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name.c_str());
        // A copy running with other rights holds a mutex this process may not open.
        if (!mutex)
            return ::GetLastError() == ERROR_ACCESS_DENIED;
        if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            ::CloseHandle(mutex);
            return true;
        }
        m_mutex = mutex;
        return false;
    }

private:
    QString m_name;
    HANDLE m_mutex = nullptr;
};

#else

class LockFileInstanceGuard : public InstanceGuard
{
public:
    explicit LockFileInstanceGuard(const QString &path) : m_lock(path)
    {
        // A claim lasts for the whole run, however long; only a dead holder makes it stale.
        m_lock.setStaleLockTime(0);
    }

    bool anotherInstanceRunning() override
    {
        if (m_lock.isLocked() || m_lock.tryLock(0))
            return false;
        // Without a usable lock file nothing shows that another copy runs, and without the
        // private directory the tray program cannot be found either, so the program ends anyway.
        return m_lock.error() == QLockFile::LockFailedError;
    }

private:
    QLockFile m_lock;
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
    return std::make_unique<LockFileInstanceGuard>(dir + QLatin1Char('/') + name + QStringLiteral(".lock"));
#endif
}
