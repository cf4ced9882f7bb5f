#pragma once

#include <QObject>
#include <QPointer>

class QMenu;
class QSystemTrayIcon;
class QWidget;

// What the user sees of the tray program: a tray icon with a menu, or, where the desktop has no
// tray, a small window with the same two commands, so the address book can still be opened.
class TrayStandIn : public QObject
{
    Q_OBJECT

public:
    explicit TrayStandIn(QObject *parent = nullptr);
    ~TrayStandIn() override;

    void show();

signals:
    // "Esci" was chosen, or the window was closed.
    void quitRequested();

private:
    void openAddressBook();
    void showWindow();

    QMenu *m_menu = nullptr;
    QSystemTrayIcon *m_trayIcon = nullptr;
    QPointer<QWidget> m_window;
};
