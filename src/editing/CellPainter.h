#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;
class QRect;

// How a cell looks when it is not being edited: its background, its text from the first
// character, and the ruling around it, drawn exactly as the cell's line edit draws itself, so
// that a cell shows the same whether it is drawn from the sheet or is a line edit already.
namespace CellPainter {

struct Look
{
    QString text; // as shown, marks included
    QFont font;
    QColor background;
    QColor foreground;
    QColor ruling;
};

void paint(QPainter &painter, const QRect &cell, const Look &look);

// The ruling as four filled strips: a stroked rectangle takes the painter's path stroker,
// which costs more than the cell's text.
void paintRuling(QPainter &painter, const QRect &cell, const QColor &ruling);

} // namespace CellPainter
