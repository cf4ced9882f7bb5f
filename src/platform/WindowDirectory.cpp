#include "platform/WindowDirectory.h"

#ifdef Q_OS_WIN
#include "platform/win32/TopLevelWindows.h"
#else
#include "platform/WindowRegistry.h"

#include <QHash>

#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_WIN

class Win32WindowDirectory : public WindowDirectory
{
public:
    quintptr findWindow(const QString &title) override
    {
        return win32::findWindowByTitle(title.toStdWString());
    }

    void postClose(quintptr handle) override { win32::postClose(handle); }
};

#else

// A handle stands for a title; the registrant behind it is looked up again when asked to close,
// so a handle of a registrant that has gone and come back reaches the new one, as a window
// title would.
class SocketWindowDirectory : public WindowDirectory
{
public:
    quintptr findWindow(const QString &title) override
    {
        if (!WindowRegistry::isLive(WindowRegistry::socketPath(title)))
            return 0;
        quintptr &handle = m_handles[title];
        if (handle == 0) {
            handle = quintptr(m_titles.size()) + 1;
            m_titles.insert(handle, title);
        }
        return handle;
    }

    void postClose(quintptr handle) override
    {
        const auto it = m_titles.constFind(handle);
        if (it == m_titles.constEnd())
            return;
        const QString path = WindowRegistry::socketPath(*it);
        if (path.isEmpty())
            return;
        const int fd = WindowRegistry::connectTo(path);
        if (fd < 0)
            return;
        // The line goes into the kernel's buffer at once; the registrant reads it whenever its
        // event loop runs, also after we have hung up. A registrant gone meanwhile is no signal.
        [[maybe_unused]] const ssize_t sent =
            ::send(fd, WindowRegistry::CloseRequest, sizeof WindowRegistry::CloseRequest - 1, MSG_NOSIGNAL);
        ::close(fd);
    }

private:
    QHash<QString, quintptr> m_handles;
    QHash<quintptr, QString> m_titles;
};

#endif

} // namespace

std::unique_ptr<WindowDirectory> createSystemWindowDirectory()
{
#ifdef Q_OS_WIN
    return std::make_unique<Win32WindowDirectory>();
#else
    return std::make_unique<SocketWindowDirectory>();
#endif
}
