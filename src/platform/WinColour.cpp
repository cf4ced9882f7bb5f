#include "platform/WinColour.h"

QColor toQColor(quint32 winColour, const QPalette &palette)
{
    if (winColour & 0x80000000u) {
        switch (winColour & 0xFFu) {
        case 5: // COLOR_WINDOW
            return palette.color(QPalette::Active, QPalette::Base);
        case 8: // COLOR_WINDOWTEXT
            return palette.color(QPalette::Active, QPalette::Text);
        case 15: // COLOR_BTNFACE, which is also the background of dialogs and of this window
            return palette.color(QPalette::Active, QPalette::Window);
        default:
            return palette.color(QPalette::Active, QPalette::Button);
        }
    }
    return QColor(int(winColour & 0xFF), int((winColour >> 8) & 0xFF), int((winColour >> 16) & 0xFF));
}

quint32 fromQColor(const QColor &colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}
