#include "platform/ItalianTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installItalianTranslations(QCoreApplication &app)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);

    // Qt's installed translations first; a deployed program (windeployqt) carries them in a
    // folder beside its executable.
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
    };
    auto *translator = new QTranslator(&app);
    for (const QString &folder : folders) {
        if (translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator; // without the package the program still works, with Qt's English words
}
