#pragma once

#include "exchange/BookRows.h"

#include <QPageSize>
#include <QVector>

class QIODevice;
class QPainter;
class QRectF;

// The address book on paper, laid out like the index book: each folder on two pages of 22
// rows, the long and the short cell side by side, the folder's letters in a tab in the outer
// margin, every cell in its own bold, underline and colour.
namespace BookPages {

int pageCount(const QVector<int> &sheets);

// Page `page` (from 0) of the sheets, drawn into `area` in the painter's coordinates.
void paint(QPainter &painter, const QRectF &area, const BookImage &book, const QVector<int> &sheets, int page);

// A PDF of the sheets on pages of the given size; false with an Italian reason. Needs a
// QGuiApplication (fonts).
bool writePdf(QIODevice *device, const BookImage &book, const QVector<int> &sheets, QPageSize::PageSizeId size,
              QString *reason);

} // namespace BookPages
