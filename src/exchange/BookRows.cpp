#include "exchange/BookRows.h"

#include "storage/SheetStore.h"

#include <QFile>

#include <algorithm>

BookImage::BookImage()
{
    const RowRecord empty;
    m_bytes.reserve(StoreSize);
    for (int n = 0; n < RecordCount; ++n)
        m_bytes.append(empty.constData(), RecordLength);
}

BookImage BookImage::fromBytes(const QByteArray &bytes)
{
    BookImage image;
    const qsizetype kept = qMin<qsizetype>(bytes.size(), StoreSize);
    // A record cut by the end of the file keeps the empty record's bytes where it is missing.
    std::copy(bytes.constData(), bytes.constData() + kept, image.m_bytes.data());
    return image;
}

bool BookImage::read(SheetStore &store, BookImage *image, QString *reason)
{
    QByteArray bytes;
    if (!store.readRange(1, RecordCount, &bytes)) {
        *reason = store.error().reason;
        return false;
    }
    *image = fromBytes(bytes);
    return true;
}

bool BookImage::readFile(const QString &path, BookImage *image, QString *reason)
{
    QFile file(path);
    if (!file.exists()) {
        *reason = QStringLiteral("il file non esiste");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("il file non si può leggere");
        return false;
    }
    *image = fromBytes(file.read(StoreSize));
    return true;
}

RowRecord BookImage::record(int sheet, int row) const
{
    const qsizetype offset = qsizetype(recordNumber(sheet, row) - 1) * RecordLength;
    return RowRecord::fromBytes(m_bytes.constData() + offset, RecordLength);
}

void BookImage::setRecord(int sheet, int row, const RowRecord &record)
{
    const qsizetype offset = qsizetype(recordNumber(sheet, row) - 1) * RecordLength;
    std::copy(record.constData(), record.constData() + RecordLength, m_bytes.data() + offset);
}

QByteArray BookImage::sheetBytes(int sheet) const
{
    return m_bytes.mid(qsizetype(sheet) * RowsPerSheet * RecordLength, RowsPerSheet * RecordLength);
}

namespace {

// Blanks up to the field's end or its first NUL: what reads as an empty text.
bool blankField(const char *field, int length)
{
    for (int i = 0; i < length && field[i] != '\0'; ++i) {
        if (field[i] != ' ')
            return false;
    }
    return true;
}

} // namespace

bool BookImage::rowIsFree(int sheet, int row) const
{
    const char *record = m_bytes.constData() + qsizetype(recordNumber(sheet, row) - 1) * RecordLength;
    return blankField(record, LongTextLength) && blankField(record + LongTextLength, ShortTextLength);
}

RowEntry BookImage::entry(int sheet, int row) const
{
    const RowRecord r = record(sheet, row);
    RowEntry entry;
    entry.sheet = sheet;
    entry.row = row;
    entry.longCell = {r.longText(), r.Stile1(), r.Colore1()};
    entry.shortCell = {r.shortText(), r.Stile2(), r.Colore2()};
    return entry;
}

QVector<RowEntry> BookImage::entries(const QVector<int> &sheets) const
{
    const RowRecord empty;
    QVector<RowEntry> rows;
    for (const int sheet : sheets) {
        for (int row = 1; row <= RowsPerSheet; ++row) {
            const char *bytes = m_bytes.constData() + qsizetype(recordNumber(sheet, row) - 1) * RecordLength;
            if (std::equal(bytes, bytes + RecordLength, empty.constData()))
                continue; // most rows of most books, not worth decoding
            const RowEntry e = entry(sheet, row);
            const bool plain = e.longCell.style == empty.Stile1() && e.shortCell.style == empty.Stile2()
                && e.longCell.colour == empty.Colore1() && e.shortCell.colour == empty.Colore2();
            if (!e.longCell.text.isEmpty() || !e.shortCell.text.isEmpty() || !plain)
                rows.append(e);
        }
    }
    return rows;
}

RowRecord recordOf(const RowEntry &entry)
{
    RowRecord record;
    record.setLongText(entry.longCell.text);
    record.setShortText(entry.shortCell.text);
    record.setStile1(entry.longCell.style);
    record.setStile2(entry.shortCell.style);
    record.setColore1(entry.longCell.colour);
    record.setColore2(entry.shortCell.colour);
    return record;
}

QVector<int> allSheets()
{
    QVector<int> sheets;
    for (int sheet = 0; sheet < SheetCount; ++sheet)
        sheets.append(sheet);
    return sheets;
}
