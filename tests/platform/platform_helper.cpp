// Holds a window title or an instance claim until asked to close or killed, so that tests can
// leave behind what a crashed program leaves.
#include "platform/InstanceGuard.h"
#include "platform/TitleRegistration.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return 2;
    TitleRegistration registration;
    std::unique_ptr<InstanceGuard> guard;
    if (arguments.at(1) == QLatin1String("register")) {
        if (!registration.registerTitle(arguments.at(2)))
            return 1;
        QObject::connect(&registration, &TitleRegistration::closeRequested, &app, &QCoreApplication::quit);
    } else {
        guard = createSystemInstanceGuard(arguments.at(2));
        if (guard->anotherInstanceRunning())
            return 1;
    }
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    return app.exec();
}
