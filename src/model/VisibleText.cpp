#include "model/VisibleText.h"

#include <algorithm>

namespace VisibleText {

bool showsAsNothing(QChar c)
{
    // Controls, the undefined bytes (C1 controls once decoded) and the soft hyphen, which a
    // text box draws only where it breaks a line.
    return !c.isPrint();
}

QString shown(const QString &stored)
{
    // Nearly every text has no such character: it is shared, not copied.
    if (std::none_of(stored.cbegin(), stored.cend(), showsAsNothing))
        return stored;
    QString text = stored;
    for (QChar &c : text) {
        if (showsAsNothing(c))
            c = QChar(Mark);
    }
    return text;
}

QString storedAfterEdit(const QString &stored, const QString &shownAfter)
{
    const QString before = shown(stored);
    const qsizetype limit = std::min(before.size(), shownAfter.size());
    qsizetype prefix = 0;
    while (prefix < limit && before.at(prefix) == shownAfter.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < limit - prefix
           && before.at(before.size() - 1 - suffix) == shownAfter.at(shownAfter.size() - 1 - suffix))
        ++suffix;
    QString middle = shownAfter.mid(prefix, shownAfter.size() - prefix - suffix);
    middle.replace(QChar(Mark), QChar(u'?'));
    return stored.left(prefix) + middle + stored.right(suffix);
}

} // namespace VisibleText
