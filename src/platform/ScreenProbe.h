#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

// The pointer position and a widget's rectangle in screen pixels (GetCursorPos and
// GetWindowRect on Windows). Tests place the pointer wherever they like.
class ScreenProbe
{
public:
    virtual ~ScreenProbe() = default;
    virtual QPoint cursorPos() const = 0;
    // Outer rectangle of the widget in screen pixels; right() and bottom() are the last pixels inside.
    virtual QRect windowRect(const QWidget *widget) const = 0;
};
