#pragma once

#include <QColor>
#include <QPalette>

// Colours are kept as the window system's values 0x00BBGGRR; 0x80000000 + n stands for
// system colour n, which here is taken from the application palette.
QColor toQColor(quint32 winColour, const QPalette &palette);
quint32 fromQColor(const QColor &colour);

namespace WinColour {
constexpr quint32 WindowBackground = 0x80000005; // COLOR_WINDOW: a cell's normal background
constexpr quint32 ButtonFace = 0x8000000F;       // COLOR_BTNFACE
constexpr quint32 HighlightedBox = 0x00FFC0C0;   // toolbar box under the pointer
constexpr quint32 PressedBox = 0x00FF8080;       // toolbar box being pressed
} // namespace WinColour
