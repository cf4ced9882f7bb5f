#pragma once

#include <QObject>

class QSocketNotifier;

// Ends the event loop when the process is asked to terminate (SIGTERM, SIGINT, SIGHUP), so that
// the objects on main()'s stack are destroyed and a registered title disappears with its socket
// file. Does nothing on Windows, where WM_CLOSE does that job. One instance per process.
class QuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit QuitOnSignal(QObject *parent = nullptr);
    ~QuitOnSignal() override;

private:
#ifndef Q_OS_WIN
    QSocketNotifier *m_notifier = nullptr;
#endif
};
