#include "HelpAddress.h"

#include <algorithm>

namespace {
const QString Prefix = QStringLiteral("mk:@MSITStore:");
const QString PageSeparator = QStringLiteral("::");
} // namespace

QString HelpAddress::helpFile() const
{
    if (directory.isEmpty() || directory.endsWith(QLatin1Char('/')) || directory.endsWith(QLatin1Char('\\')))
        return directory + fileName;
    return directory + QLatin1Char('/') + fileName;
}

std::optional<HelpAddress> parseHelpAddress(const QString &text)
{
    const QString address = text.trimmed();
    if (!address.startsWith(Prefix, Qt::CaseInsensitive))
        return std::nullopt;
    QString file = address.mid(Prefix.size());
    QString page;
    // The last "::" splits: a folder may hold one, a page name never does.
    const qsizetype split = file.lastIndexOf(PageSeparator);
    if (split >= 0) {
        page = file.mid(split + PageSeparator.size());
        file.truncate(split);
    }
    while (page.startsWith(QLatin1Char('/')) || page.startsWith(QLatin1Char('\\')))
        page.remove(0, 1);

    HelpAddress result;
    const qsizetype slash = std::max(file.lastIndexOf(QLatin1Char('/')), file.lastIndexOf(QLatin1Char('\\')));
    result.fileName = file.mid(slash + 1);
    if (result.fileName.isEmpty())
        return std::nullopt;
    if (slash == 0)
        result.directory = file.left(1); // the root folder keeps its one separator
    else if (slash > 0)
        result.directory = file.left(slash);
    result.page = page.isEmpty() ? DefaultHelpPage : page;
    return result;
}
