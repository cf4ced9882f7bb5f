#include "platform/ScreenReader.h"

#include <QAccessible>
#include <QWidget>

namespace ScreenReader {

namespace {
Sink sink = nullptr;
} // namespace

void setSink(Sink replacement)
{
    sink = replacement;
}

void tell(QAccessibleEvent *event)
{
    if (sink)
        sink(event);
    else
        QAccessible::updateAccessibility(event);
}

void announce(QWidget *source, const QString &text)
{
    if (!source)
        return;
    source->setAccessibleDescription(text);
    QAccessibleEvent described(source, QAccessible::DescriptionChanged);
    tell(&described);
    QAccessibleEvent alert(source, QAccessible::Alert);
    tell(&alert);
}

QString searchHitText(const QString &folder, int cellCode, const QString &cellText)
{
    const bool shortCell = cellCode > 100;
    return QStringLiteral("Trovato in %1, riga %2, %3: %4")
        .arg(folder)
        .arg(shortCell ? cellCode - 100 : cellCode)
        .arg(shortCell ? QStringLiteral("testo breve") : QStringLiteral("testo lungo"), cellText);
}

} // namespace ScreenReader
