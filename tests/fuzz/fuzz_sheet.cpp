// Any old sheet loaded into the model and saved comes back byte for byte but for what the format
// defines; one character typed into the first cell changes no other byte.
#include "FuzzHarness.h"
#include "model/SheetModel.h"
#include "model/VisibleText.h"
#include "storage/RowRecord.h"
#include "storage/SheetCodec.h"

#include <QCoreApplication>

namespace {

// A NUL ends a text, the reserved fields are "0", a code without meaning reads as plain or black.
QByteArray expectedRecord(QByteArray record)
{
    for (int start : {0, LongTextLength}) {
        const int length = start == 0 ? LongTextLength : ShortTextLength;
        const qsizetype nul = record.indexOf('\0', start);
        if (nul >= 0 && nul < start + length)
            record.replace(nul, start + length - nul, QByteArray(start + length - nul, ' '));
    }
    for (int at : {140, 141})
        record[at] = record[at] >= '0' && record[at] <= '3' ? record[at] : '0';
    record[142] = record[143] = '0';
    for (int at : {144, 145})
        record[at] = record[at] >= '0' && record[at] <= '5' ? record[at] : '0';
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte: where the typed character goes; the rest: the records, padded to a sheet.
    const int caret = data[0] % (LongTextLength + 1);
    QByteArray sheet(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    sheet = sheet.left(RowsPerSheet * RecordLength).leftJustified(RowsPerSheet * RecordLength, ' ');

    std::array<std::optional<DecodedRow>, RowsPerSheet> records;
    QByteArray expected;
    for (int row = 0; row < RowsPerSheet; ++row) {
        const char *bytes = sheet.constData() + row * RecordLength;
        records[size_t(row)] = decodeRow(RowRecord::fromBytes(bytes, RecordLength));
        expected += expectedRecord(QByteArray(bytes, RecordLength));
    }
    SheetModel model;
    model.load(records);
    const QByteArray saved = encodeSheet(model.rows());
    require(saved == expected);

    // Typed as the cell would pass it on: its shown text with one more character.
    const QString stored = model.cell(1).text;
    const int at = std::min<int>(caret, int(stored.size()));
    QString shown = VisibleText::shown(stored);
    require(shown.size() == stored.size());
    model.editText(1, VisibleText::storedAfterEdit(stored, shown.insert(at, QChar(u'x'))));
    const QByteArray edited = encodeSheet(model.rows());
    QByteArray text = expected.left(LongTextLength);
    const qsizetype textEnd = stored.size();
    text.insert(at, 'x');
    text = text.left(std::max<qsizetype>(textEnd + 1, 0)).leftJustified(LongTextLength, ' ', true);
    require(edited.left(LongTextLength) == text);
    require(edited.mid(LongTextLength) == expected.mid(LongTextLength));
    return 0;
}
