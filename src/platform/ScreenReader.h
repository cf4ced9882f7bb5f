#pragma once

#include <QString>

class QAccessibleEvent;
class QWidget;

// What the program tells a screen reader beyond what its controls show.
namespace ScreenReader {

// Where the program's accessibility events go: to Qt, which passes them on while a screen
// reader listens; a test records them instead. Null puts Qt back.
using Sink = void (*)(QAccessibleEvent *event);
void setSink(Sink sink);
void tell(QAccessibleEvent *event);

// Says `text` to a screen reader, as an alert from `source` whose description it becomes
// (screen readers read a changed description of the focused control aloud).
void announce(QWidget *source, const QString &text);

// What a search hit is announced as: "Trovato in M1, riga 5, testo lungo: Rossi".
QString searchHitText(const QString &folder, int cellCode, const QString &cellText);

} // namespace ScreenReader
