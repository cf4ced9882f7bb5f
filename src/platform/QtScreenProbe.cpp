#include "platform/QtScreenProbe.h"

#include <QCursor>
#include <QWidget>

// Both values come from Qt, also on Windows: GetCursorPos and GetWindowRect measure in device
// pixels while Qt lays out in device-independent ones, and the leave test compares the two.
// Asking GetWindowRect would also force a native window onto every toolbar box.

QPoint QtScreenProbe::cursorPos() const
{
    return QCursor::pos();
}

QRect QtScreenProbe::windowRect(const QWidget *widget) const
{
    if (!widget)
        return QRect();
    if (widget->isWindow())
        return widget->frameGeometry();
    // A child has no frame of its own: its border is drawn inside its geometry.
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}
