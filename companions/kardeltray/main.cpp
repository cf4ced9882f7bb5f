// Stand-in for the product's tray program: the address book starts only while a window titled
// "KardelTray" exists, and this program provides it.
#include "TrayStandIn.h"

#include "platform/ClipboardKeeper.h"
#include "platform/ItalianTranslations.h"
#include "platform/QtClipboard.h"
#include "platform/QuitOnSignal.h"
#include "platform/TitleRegistration.h"
#include "platform/WindowDirectory.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstring>

namespace {
// "kardeltray --is-running" answers 0 when a tray program can be found, 1 otherwise; the run
// script waits on it before it starts the address book.
int reportRunning(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return createSystemWindowDirectory()->findWindow(QStringLiteral("KardelTray")) != 0 ? 0 : 1;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--is-running") == 0)
        return reportRunning(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KardelTray"));
    QApplication::setOrganizationName(QStringLiteral("Tessavo"));
    installItalianTranslations(app);
    // A message box closing must not end a program that lives in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString title = QStringLiteral("KardelTray");
    TitleRegistration registration;
    if (!registration.registerTitle(title)) {
        if (createSystemWindowDirectory()->findWindow(title) != 0)
            return 0; // one already runs
        qWarning("Cannot register the window title %ls", qUtf16Printable(title));
        return 1;
    }

    // Takes over the address book's clipboard text when it ends.
    QtClipboard clipboard;
    ClipboardKeeper keeper(clipboard);
    if (!keeper.listen())
        qWarning("Cannot keep the address book's clipboard text after it ends");
    QuitOnSignal quitOnSignal;
    TrayStandIn tray;
    QObject::connect(&registration, &TitleRegistration::closeRequested, &app, &QCoreApplication::quit);
    QObject::connect(&tray, &TrayStandIn::quitRequested, &app, &QCoreApplication::quit);
    tray.show();
    return app.exec();
}
