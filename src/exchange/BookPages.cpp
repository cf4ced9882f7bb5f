#include "exchange/BookPages.h"

#include "exchange/FolderNames.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

namespace BookPages {

namespace {

constexpr int RowsPerPage = RowsPerSheet / 2;

QColor textColour(char code)
{
    const quint32 value = colourFromCode(code).value_or(0); // 0x00BBGGRR
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// The cell's text in its own font, made smaller where it would not fit, so that every
// character is on paper (and in the PDF's text layer).
void drawCell(QPainter &painter, const QRectF &box, const QString &text, char style, char colour, qreal pixelSize)
{
    if (text.isEmpty())
        return;
    QFont font = painter.font();
    const CellFont cellFont = fontFromStyleCode(style).value_or(CellFont());
    font.setBold(cellFont.bold);
    font.setUnderline(cellFont.underline);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    const qreal width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > box.width())
        font.setPixelSize(qMax(1, qRound(pixelSize * box.width() / width)));
    painter.setFont(font);
    painter.setPen(textColour(colour));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

} // namespace

int pageCount(const QVector<int> &sheets)
{
    return int(sheets.size()) * 2;
}

void paint(QPainter &painter, const QRectF &area, const BookImage &book, const QVector<int> &sheets, int page)
{
    const int sheet = sheets.at(page / 2);
    const int firstRow = (page % 2) * RowsPerPage + 1;
    const qreal u = area.width() / 210.0; // a millimetre of an A4 page; A5 is the same page smaller
    const QRectF margin(area.right() - 16 * u, area.top(), 16 * u, area.height());
    const QRectF body(area.left() + 14 * u, area.top() + 22 * u, margin.left() - area.left() - 18 * u,
                      area.height() - 34 * u);
    const QColor rule(170, 170, 170);
    painter.save();
    QFont base = painter.font();
    base.setStyleHint(QFont::SansSerif);
    // No ligatures: "ffi" stays three letters, on paper as in the PDF's text layer.
    base.setStyleStrategy(QFont::PreferNoShaping);

    // The tab of this folder, on the outer edge at its place among the 22 of the index.
    const qreal slot = (area.height() - 24 * u) / RowsPerPage;
    const QRectF tab(margin.left() + 2 * u, area.top() + 12 * u + (sheet % RowsPerPage) * slot, 14 * u, slot);
    painter.fillRect(QRectF(margin.left() + 1.5 * u, area.top() + 12 * u, 0.3 * u, area.height() - 24 * u), rule);
    painter.fillRect(tab, QColor(222, 230, 244));
    base.setBold(true);
    base.setPixelSize(qMax(1, qRound(slot * 0.45)));
    painter.setFont(base);
    painter.setPen(Qt::black);
    painter.drawText(tab, Qt::AlignCenter, FolderNames::caption(sheet));

    base.setPixelSize(qMax(1, qRound(6 * u)));
    painter.setFont(base);
    painter.drawText(QRectF(body.left(), area.top() + 10 * u, body.width(), 9 * u), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Rubrica · %1 · righe %2–%3").arg(FolderNames::caption(sheet)).arg(firstRow)
                         .arg(firstRow + RowsPerPage - 1));

    const qreal rowHeight = body.height() / RowsPerPage;
    const qreal numberWidth = 8 * u;
    const qreal longWidth = (body.width() - numberWidth) * 0.64;
    const qreal textSize = rowHeight * 0.42;
    base.setBold(false);
    for (int i = 0; i < RowsPerPage; ++i) {
        const int row = firstRow + i;
        const qreal top = body.top() + i * rowHeight;
        const RowRecord record = book.record(sheet, row);
        base.setPixelSize(qMax(1, qRound(textSize * 0.8)));
        painter.setFont(base);
        painter.setPen(QColor(110, 110, 110));
        painter.drawText(QRectF(body.left(), top, numberWidth - 2 * u, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(row));
        const QRectF longBox(body.left() + numberWidth, top, longWidth - 2 * u, rowHeight);
        const QRectF shortBox(body.left() + numberWidth + longWidth + u, top,
                              body.width() - numberWidth - longWidth - 2 * u, rowHeight);
        painter.setFont(base);
        drawCell(painter, longBox, record.longText(), record.Stile1(), record.Colore1(), textSize);
        drawCell(painter, shortBox, record.shortText(), record.Stile2(), record.Colore2(), textSize);
        painter.fillRect(QRectF(body.left(), top + rowHeight - 0.15 * u, body.width(), 0.3 * u), rule);
    }
    painter.fillRect(QRectF(body.left() + numberWidth + longWidth - 0.15 * u, body.top(), 0.3 * u, body.height()), rule);
    painter.restore();
}

bool writePdf(QIODevice *device, const BookImage &book, const QVector<int> &sheets, QPageSize::PageSizeId size,
              QString *reason)
{
    QPdfWriter writer(device);
    writer.setPageSize(QPageSize(size));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(600);
    writer.setTitle(QStringLiteral("Rubrica"));
    writer.setCreator(QStringLiteral("Rubrica"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        *reason = QStringLiteral("il PDF non si può scrivere");
        return false;
    }
    const QRectF area = writer.pageLayout().paintRectPixels(writer.resolution());
    const int pages = pageCount(sheets);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        paint(painter, area, book, sheets, page);
    }
    if (!painter.end()) {
        *reason = QStringLiteral("il PDF non si può scrivere");
        return false;
    }
    return true;
}

} // namespace BookPages
