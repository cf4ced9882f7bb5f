#include "platform/ProgramLauncher.h"

#include "platform/ProgramDirectory.h"

#ifdef Q_OS_WIN
#include "platform/win32/ProgramStart.h"
#else
#include <QProcess>
#endif

namespace {

#ifdef Q_OS_WIN

class Win32Launcher : public ProgramLauncher
{
public:
    bool launch(const QString &commandLine, int showStyle) override
    {
        // The line goes through as it is, unquoted: HH.EXE takes its whole tail as the address.
        return win32::startProgram(commandLine.toStdWString(), showStyle);
    }
};

#else

class DetachedLauncher : public ProgramLauncher
{
public:
    explicit DetachedLauncher(const QString &programDirectory) : m_directory(programDirectory) {}

    // The viewer maximises itself; there is no portable way to ask another program for a style.
    bool launch(const QString &commandLine, int) override
    {
        const PortableCommand command = portableCommand(commandLine, m_directory);
        if (command.program.isEmpty())
            return false;
        return QProcess::startDetached(command.program, command.arguments, m_directory);
    }

private:
    QString m_directory;
};

#endif

} // namespace

QString helpViewerFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("tessavohelp.exe");
#else
    return QStringLiteral("tessavohelp");
#endif
}

PortableCommand portableCommand(const QString &commandLine, const QString &programDirectory)
{
    const QString line = commandLine.trimmed();
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    PortableCommand command;
    command.program = blank < 0 ? line : line.left(blank);
    if (command.program.compare(QStringLiteral("HH.EXE"), Qt::CaseInsensitive) == 0)
        command.program = programFile(programDirectory, helpViewerFileName());
    if (blank >= 0) {
        const QString rest = line.mid(blank + 1).trimmed();
        if (!rest.isEmpty())
            command.arguments << rest;
    }
    return command;
}

std::unique_ptr<ProgramLauncher> createSystemProgramLauncher(const QString &programDirectory)
{
#ifdef Q_OS_WIN
    Q_UNUSED(programDirectory);
    return std::make_unique<Win32Launcher>();
#else
    return std::make_unique<DetachedLauncher>(programDirectory);
#endif
}
