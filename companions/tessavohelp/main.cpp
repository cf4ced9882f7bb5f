// The help viewer where there is no HH.EXE: started by the address book with the same address,
// "mk:@MSITStore:<program directory>\TessavoHlp.chm::/rubrica.htm", it shows that page of the
// help file, or the program's own page when there is no help file, in a window titled
// "Help di Tessavo", and closes when asked to through that title.
#include "HelpAddress.h"
#include "HelpWindow.h"

#include "platform/ProgramDirectory.h"
#include "platform/QuitOnSignal.h"
#include "platform/TitleRegistration.h"

#include <QApplication>
#include <QScreen>
#include <QStringList>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TessavoHelp"));
    QApplication::setOrganizationName(QStringLiteral("Tessavo"));

    // HH.EXE reads its whole command tail as the address; a shell may have split it at blanks.
    const QString argument = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    const std::optional<HelpAddress> address = parseHelpAddress(argument);

    TitleRegistration registration;
    // A viewer already open is the one the user sees; a second one would only be in the way.
    if (!registration.registerTitle(HelpWindow::Title))
        return 0;

    QuitOnSignal quitOnSignal;
    HelpWindow window;
    const QString page = address ? address->page : DefaultHelpPage;
    if (!address || !window.showFromHelpFile(address->helpFile(), page))
        window.showFromFolder(programDirectory(), page.section(QLatin1Char('/'), -1));

    QObject::connect(&registration, &TitleRegistration::closeRequested, &window, &QWidget::close);
    // Without a window manager a maximised window keeps its first size; fill the screen anyway.
    if (QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
