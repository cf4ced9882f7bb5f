#include "exchange/ExchangeCommand.h"
#include "platform/InstanceGuard.h"
#include "platform/ItalianTranslations.h"
#include "platform/ProgramDirectory.h"
#include "platform/ProgramLauncher.h"
#include "platform/QtClipboard.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtScreenProbe.h"
#include "platform/QuitOnSignal.h"
#include "platform/WindowDirectory.h"
#include "window/AddressBookApplication.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    // Export and import need no window, no display and no tray program.
    if (ExchangeCommand::isRequested(argc, argv))
        return ExchangeCommand::run(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rubrica"));
    QApplication::setOrganizationName(QStringLiteral("Tessavo"));
    installItalianTranslationsOnDemand(app);
    QuitOnSignal::ignoreFileSizeLimitSignal();

    const auto instance = createSystemInstanceGuard(QStringLiteral("Rubrica"));
    const auto windows = createSystemWindowDirectory();
    QtMessageBoxes messages;
    QtScreenProbe screen;
    QtClipboard clipboard;
    const QString directory = programDirectory();
    // Starts nothing until the help is asked for; the viewer itself is never loaded ahead.
    const auto launcher = createSystemProgramLauncher(directory);

    WindowServices services;
    services.instance = instance.get();
    services.windows = windows.get();
    services.messages = &messages;
    services.screen = &screen;
    services.clipboard = &clipboard;
    services.launcher = launcher.get();
    services.programDirectory = directory;

    AddressBookApplication application(services);
    // The refusals (another copy, no tray program) are part of normal use and end quietly.
    if (!application.start())
        return application.startFailed() ? EXIT_FAILURE : EXIT_SUCCESS;
    AddressBookWindow *window = application.window();
    // Terminating the process asks the close question like the title bar would.
    QuitOnSignal closeOnSignal([window] { window->requestClose(); });
    const int status = QApplication::exec();
    clipboard.keepAfterExit(); // a column cut just before the end outlives the program
    return status;
}
