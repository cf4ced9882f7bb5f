#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns the requests to terminate (SIGTERM, SIGINT, SIGHUP) into an ordinary event: by default
// the event loop ends, so that the objects on main()'s stack are destroyed and a registered
// title disappears with its socket file; a program that must ask the user first passes its own
// handler, which runs on the event loop once per signal. Does nothing on Windows, where
// WM_CLOSE does that job. One instance per process.
class QuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit QuitOnSignal(QObject *parent = nullptr);
    explicit QuitOnSignal(std::function<void()> handler, QObject *parent = nullptr);
    ~QuitOnSignal() override;

    // A write beyond the process's file size limit raises SIGXFSZ, which ends the program
    // on the spot; ignored, the write fails with EFBIG and the program can say so.
    static void ignoreFileSizeLimitSignal();

private:
    std::function<void()> m_handler;
#ifndef Q_OS_WIN
    QSocketNotifier *m_notifier = nullptr;
#endif
};
