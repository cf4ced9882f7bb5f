#pragma once

#include <QObject>
#include <QString>

#include <memory>

#ifdef Q_OS_WIN
class QWidget;
#else
class QSocketNotifier;
#endif

// Makes this process findable by a window title through WindowDirectory, and reports the
// close requests that WindowDirectory::postClose sends it. On Windows it is a hidden top-level
// window with that title; elsewhere a local socket in the per-user WindowRegistry directory.
class TitleRegistration : public QObject
{
    Q_OBJECT

public:
    explicit TitleRegistration(QObject *parent = nullptr);
    ~TitleRegistration() override;

    // Takes the title for this process, dropping any title held before. False when the title is
    // empty, when a live process already holds it, or when it cannot be published.
    bool registerTitle(const QString &title);
    // Gives the title up; a look-up finds nothing afterwards. Destroying the object does the same.
    void unregister();

    bool isRegistered() const;
    QString title() const { return m_title; }

signals:
    // Another process asked the window to close. Delivered from the event loop, never from
    // inside the call that received the request, so a receiver may destroy this object.
    void closeRequested();

private:
#ifdef Q_OS_WIN
    std::unique_ptr<QWidget> m_window;
#else
    void acceptConnections();

    int m_listener = -1;
    QSocketNotifier *m_notifier = nullptr;
    QString m_path;
#endif
    QString m_title;
};
