#pragma once

#include <QFile>
#include <QTemporaryDir>

// Title registrations and instance locks land in the runtime directory. Each test gets a private
// one (mode 0700, as the platform layer requires), never the user's own; programs the test
// starts inherit it through the environment.
class PrivateRuntimeDir
{
public:
    // Makes this directory the runtime directory of the test process and of what it starts.
    bool activate()
    {
        return m_dir.isValid()
            && QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
            && qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
