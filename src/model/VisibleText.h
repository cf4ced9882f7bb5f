#pragma once

#include <QString>

// A cell shows its stored text with one change: a character that would show as nothing (a
// control byte of an old store, one of the five bytes the code page leaves undefined, or a
// soft hyphen) is
// drawn as a mark, so that the user sees something is there. The mark stands for the stored
// character and is never stored itself.
namespace VisibleText {

constexpr char16_t Mark = u'\u25AF';

bool showsAsNothing(QChar c);

// One shown character for each stored one.
QString shown(const QString &stored);

// The stored text after the user changed what `stored` showed into `shownAfter`: the
// characters before and after the changed stretch keep their stored bytes, marks included.
// A mark inside the changed stretch names nothing and is stored as "?".
QString storedAfterEdit(const QString &stored, const QString &shownAfter);

} // namespace VisibleText
