#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// Window styles a program is started with, as the window system numbers them.
namespace ShowStyle {
enum : int { Hidden = 0, Normal = 1, Minimised = 2, Maximised = 3 };
}

// Starts another program from one command line and returns without waiting for it. Tests
// replace it, so that no test starts a real program.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;
    // False when the program could not be started (not found, not executable).
    virtual bool launch(const QString &commandLine, int showStyle) = 0;
};

// What a command line becomes where there is no HH.EXE: the first word names the program, the
// whole rest of the line is its one argument, blanks and all, as HH.EXE reads its own tail.
// "HH.EXE" (in any case) stands for the help viewer that lies beside this program.
struct PortableCommand
{
    QString program;
    QStringList arguments;
};
PortableCommand portableCommand(const QString &commandLine, const QString &programDirectory);

// The file name of the help viewer in the program directory.
QString helpViewerFileName();

// On Windows the line as it is, in UTF-16 (CreateProcessW, which reads it as WinExec would);
// elsewhere the program of portableCommand, started detached in the program directory.
// Creating it starts nothing.
std::unique_ptr<ProgramLauncher> createSystemProgramLauncher(const QString &programDirectory);
