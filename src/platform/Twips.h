#pragma once

#include <QRect>

// Windows and controls were designed in twips (1/1440 inch); the screen's logical DPI turns
// them into pixels, so the layout keeps its proportions at any scaling.
int twipsToPixels(int twips, qreal logicalDpi);
QRect twipsToPixels(const QRect &twips, qreal logicalDpi);
