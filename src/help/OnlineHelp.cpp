#include "help/OnlineHelp.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramDirectory.h"
#include "platform/ProgramLauncher.h"
#include "platform/WindowDirectory.h"

#include <QEventLoop>
#include <QTimer>

#include <utility>

namespace {
const QString HelpTitle = QStringLiteral("Help di Tessavo");
const QString HelpFile = QStringLiteral("TessavoHlp.chm");
const QString HelpPage = QStringLiteral("rubrica.htm");
// A help window that ignored the close request would otherwise be asked for ever.
constexpr int MaxCloseRequests = 100;
constexpr int CloseWaitMs = 10;
} // namespace

OnlineHelp::OnlineHelp(WindowDirectory &windows, ProgramLauncher *launcher, MessageBoxes &messages,
                       QString programDirectory)
    : m_windows(windows)
    , m_launcher(launcher)
    , m_messages(messages)
    , m_programDirectory(std::move(programDirectory))
{
}

bool OnlineHelp::isOpen() const
{
    return m_windows.findWindow(HelpTitle) != 0;
}

void OnlineHelp::open()
{
    const QString address = programFile(m_programDirectory, HelpFile) + QStringLiteral("::/") + HelpPage;
    // No quotes, even around blanks: the viewer reads the whole rest of the line as the address.
    const QString commandLine = QStringLiteral("HH.EXE mk:@MSITStore:") + address;
    if (m_launcher && m_launcher->launch(commandLine, ShowStyle::Maximised))
        return;
    m_messages.show(QStringLiteral("  Impossibile aprire la guida in linea: il visualizzatore della guida non si avvia.   ")
                        + QChar(13) + QStringLiteral("  Puoi continuare a usare la Rubrica.   "),
                    MsgStyle::Exclamation | MsgStyle::TopMost);
}

void OnlineHelp::closeAll()
{
    for (int attempt = 0; attempt < MaxCloseRequests; ++attempt) {
        const quintptr help = m_windows.findWindow(HelpTitle);
        if (help == 0)
            break;
        m_windows.postClose(help);
        // The viewer closes in its own time; the window keeps painting and answering meanwhile.
        QEventLoop wait;
        QTimer::singleShot(CloseWaitMs, &wait, &QEventLoop::quit);
        wait.exec();
    }
}
