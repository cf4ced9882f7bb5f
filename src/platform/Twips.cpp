#include "platform/Twips.h"

#include <QtMath>

int twipsToPixels(int twips, qreal logicalDpi)
{
    return qRound(twips * logicalDpi / 1440.0);
}

// Edges are converted one by one, so that neighbours that touch in twips touch in pixels too.
QRect twipsToPixels(const QRect &twips, qreal logicalDpi)
{
    const int left = twipsToPixels(twips.left(), logicalDpi);
    const int top = twipsToPixels(twips.top(), logicalDpi);
    const int right = twipsToPixels(twips.left() + twips.width(), logicalDpi);
    const int bottom = twipsToPixels(twips.top() + twips.height(), logicalDpi);
    return QRect(left, top, right - left, bottom - top);
}
