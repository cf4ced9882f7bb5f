#pragma once

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// A private runtime directory for one test function: registrations and locks land there, never
// among the user's own, and child processes inherit it.
class IsolatedRuntimeDirectory
{
public:
    IsolatedRuntimeDirectory() : m_saved(qgetenv("XDG_RUNTIME_DIR"))
    {
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
    }
    ~IsolatedRuntimeDirectory() { qputenv("XDG_RUNTIME_DIR", m_saved); }

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_saved;
};

// Starts the helper ("register <title>" or "lock <name>") and waits until it holds what it took.
inline bool startHelper(QProcess &process, const QStringList &arguments)
{
    process.start(QStringLiteral(PLATFORM_HELPER_PATH), arguments);
    return process.waitForStarted(10000) && process.waitForReadyRead(10000)
           && process.readAllStandardOutput().startsWith("ready");
}
