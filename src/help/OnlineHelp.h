#pragma once

#include <QString>

class MessageBoxes;
class ProgramLauncher;
class WindowDirectory;

// The online help: the Windows help viewer (or the project's own stand-in) showing the
// address book's page of the product's help file, in a window titled "Help di Tessavo".
class OnlineHelp
{
public:
    OnlineHelp(WindowDirectory &windows, ProgramLauncher *launcher, MessageBoxes &messages, QString programDirectory);

    // A help window is already open; it is then left exactly as it is.
    bool isOpen() const;
    // Starts the viewer maximised; when it cannot start, says so in Italian.
    void open();
    // Asks every help window to close, until none is left or one ignores the requests.
    void closeAll();

private:
    WindowDirectory &m_windows;
    ProgramLauncher *m_launcher;
    MessageBoxes &m_messages;
    QString m_programDirectory;
};
