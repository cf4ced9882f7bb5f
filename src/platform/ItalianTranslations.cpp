#include "platform/ItalianTranslations.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {
QPointer<QTranslator> installedCatalogue;

QLocale italianLocale()
{
    return QLocale(QLocale::Italian, QLocale::Italy);
}

void loadCatalogue()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (installedCatalogue || !app)
        return;
    // Qt's installed translations first; a deployed program (windeployqt) carries them in a
    // folder beside its executable.
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
    };
    auto *translator = new QTranslator(app);
    for (const QString &folder : folders) {
        if (translator->load(italianLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            installedCatalogue = translator;
            // The news of a new language reaches the widgets later, and would put Qt's words
            // back over the ones a message box about to open sets on its buttons; it is
            // delivered now, before that box exists.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
            return;
        }
    }
    delete translator; // without the package the program still works, with Qt's English words
}

// The catalogue is mapped into memory and read at every start, while most uses of the address
// book never show one of Qt's words; it waits for the first moment that does.
class CatalogueOnDemand : public QObject, public QAccessible::ActivationObserver
{
public:
    explicit CatalogueOnDemand(QCoreApplication &app)
        : QObject(&app)
    {
        app.installEventFilter(this);
        QAccessible::installActivationObserver(this);
    }

    ~CatalogueOnDemand() override { QAccessible::removeActivationObserver(this); }

    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            load();
    }

protected:
    // Sees every event of the program before its receiver does, so the menu that follows a
    // context menu event is made with the catalogue in place.
    bool eventFilter(QObject *, QEvent *event) override
    {
        // Loaded already (before a message box): nothing left to wait for.
        if (event->type() == QEvent::ContextMenu || installedCatalogue)
            load();
        return false;
    }

private:
    void load()
    {
        loadCatalogue();
        parent()->removeEventFilter(this);
        // Not removed from the observers here: Qt may be walking their list right now.
        deleteLater();
    }
};

void setItalianLocale()
{
    QLocale::setDefault(italianLocale());
}
} // namespace

void installItalianTranslations(QCoreApplication &)
{
    setItalianLocale();
    loadCatalogue();
}

void installItalianTranslationsOnDemand(QCoreApplication &app)
{
    setItalianLocale();
    // Not asking whether a screen reader listens yet: that question connects to the session
    // bus, which would delay the window; the answer, when it comes, reaches the observer.
    if (!installedCatalogue)
        new CatalogueOnDemand(app);
}

void ensureItalianTranslations()
{
    loadCatalogue();
}
