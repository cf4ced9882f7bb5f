#pragma once

#include "storage/SheetStore.h"
#include "window/AddressBookWindow.h"

#include <memory>

// The program's start: whether an address book may open at all (one copy only, and only while
// the tray program runs), the store found or made and opened, and then the window on it.
class AddressBookApplication
{
public:
    explicit AddressBookApplication(const WindowServices &services);
    ~AddressBookApplication();

    // False when the program must end: silently when another copy runs or the tray program is
    // absent (nothing touched), after a message when the store is unusable.
    bool start();
    // Start-up ended after a message (the store could not be created or opened).
    bool startFailed() const { return m_startFailed; }
    QString storePath() const { return m_storePath; }
    // Null until a start succeeded.
    AddressBookWindow *window() const { return m_window.get(); }

private:
    bool openStore();

    WindowServices m_services;
    QString m_storePath;
    bool m_startFailed = false;
    SheetStore m_store; // outlives the window that shows it
    std::unique_ptr<AddressBookWindow> m_window;
};
