#pragma once

#include "platform/ScreenProbe.h"

// The real pointer and the real widget rectangles. Both are in Qt's device-independent pixels,
// except on Windows, where both come from the system in physical pixels; they always share one
// coordinate system, which is all the comparisons need.
class QtScreenProbe : public ScreenProbe
{
public:
    QPoint cursorPos() const override;
    QRect windowRect(const QWidget *widget) const override;
};
