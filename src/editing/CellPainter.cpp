#include "editing/CellPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

namespace CellPainter {

namespace {
// A line edit keeps this much room on either side of its text, and one pixel above and below.
constexpr int HorizontalMargin = 2;
} // namespace

void paint(QPainter &painter, const QRect &cell, const Look &look)
{
    painter.fillRect(cell, look.background);
    // The cell's text margins: the next row covers the bottom three pixels of this one.
    const QRect contents = cell.adjusted(2, 0, -1, -3);
    if (!look.text.isEmpty()) {
        const QFontMetrics metrics(look.font);
        const int lineTop = contents.y() + (contents.height() - metrics.height() + 1) / 2;
        const QRect line(contents.x() + HorizontalMargin, lineTop, contents.width() - 2 * HorizontalMargin,
                         metrics.height());
        QTextLayout layout(look.text, look.font);
        QTextOption option = layout.textOption();
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        layout.setTextOption(option);
        layout.beginLayout();
        const QTextLine textLine = layout.createLine();
        layout.endLayout();
        painter.save();
        painter.setClipRect(contents, Qt::IntersectClip);
        painter.setPen(look.foreground);
        // A character from another font can raise the line's ascent; the baseline stays put.
        const int ascentShift = qRound(textLine.ascent()) - metrics.ascent();
        layout.draw(&painter, QPointF(line.x(), line.y() - ascentShift));
        painter.restore();
    }
    paintRuling(painter, cell, look.ruling);
}

void paintRuling(QPainter &painter, const QRect &cell, const QColor &ruling)
{
    const int x = cell.x(), y = cell.y(), w = cell.width(), h = cell.height();
    painter.fillRect(x, y, w, 1, ruling);
    painter.fillRect(x, y + h - 1, w, 1, ruling);
    painter.fillRect(x, y + 1, 1, h - 2, ruling);
    painter.fillRect(x + w - 1, y + 1, 1, h - 2, ruling);
}

} // namespace CellPainter
