#include "platform/InstanceGuard.h"
#include "platform/ProgramDirectory.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtScreenProbe.h"
#include "platform/QuitOnSignal.h"
#include "platform/WindowDirectory.h"
#include "window/frmAgenda.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rubrica"));
    QApplication::setOrganizationName(QStringLiteral("Tessavo"));
    QuitOnSignal::ignoreFileSizeLimitSignal();

    const auto instance = createSystemInstanceGuard(QStringLiteral("Rubrica"));
    const auto windows = createSystemWindowDirectory();
    QtMessageBoxes messages;
    QtScreenProbe screen;

    AgendaServices services;
    services.instance = instance.get();
    services.windows = windows.get();
    services.messages = &messages;
    services.screen = &screen;
    services.programDirectory = programDirectory();

    frmAgenda window(services);
    // The refusals (another copy, no tray program) are part of normal use and end quietly.
    if (!window.Form_Load())
        return window.startFailed() ? EXIT_FAILURE : EXIT_SUCCESS;
    // Terminating the process asks the close question like the title bar would.
    QuitOnSignal closeOnSignal([&window] { window.requestClose(); });
    return QApplication::exec();
}
