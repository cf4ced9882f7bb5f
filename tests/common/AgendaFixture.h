#pragma once

#include "FakePlatform.h"
#include "window/frmAgenda.h"

#include <QTemporaryDir>

#include <memory>

// A window on a fresh program directory, with the tray program running and fakes for
// everything outside the process.
struct AgendaFixture
{
    AgendaFixture()
    {
        windows.open(QStringLiteral("KardelTray"), -1);
        services.instance = &instance;
        services.windows = &windows;
        services.messages = &messages;
        services.screen = &screen;
        services.programDirectory = dir.path();
    }

    frmAgenda &create()
    {
        window = std::make_unique<frmAgenda>(services);
        return *window;
    }

    // Creates the window and runs its start-up.
    bool load() { return create().Form_Load(); }

    QString file(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    FakeInstanceGuard instance;
    FakeWindowDirectory windows;
    FakeMessageBoxes messages;
    FakeScreenProbe screen;
    AgendaServices services;
    std::unique_ptr<frmAgenda> window;
};
