#include "storage/SheetCodec.h"

#include <utility>

namespace {

DecodedCell decodeCell(QString text, char styleCode, char colourCode)
{
    DecodedCell cell;
    cell.text = std::move(text);
    cell.font = fontFromStyleCode(styleCode);
    cell.colour = colourFromCode(colourCode);
    return cell;
}

// A colour outside the six has no code of its own; the code of the same column in the
// previous row of this save is written again, and a blank when there is no previous row.
char colourCode(quint32 colour, char *previous)
{
    if (const std::optional<char> code = codeFromColour(colour))
        *previous = *code;
    return *previous;
}

} // namespace

DecodedRow decodeRow(const RowRecord &record)
{
    DecodedRow row;
    row.longCell = decodeCell(record.longText(), record.Stile1(), record.Colore1());
    row.shortCell = decodeCell(record.shortText(), record.Stile2(), record.Colore2());
    return row;
}

QByteArray encodeSheet(const std::array<RowContent, RowsPerSheet> &rows)
{
    QByteArray sheet;
    sheet.reserve(RowsPerSheet * RecordLength);
    char previousLong = ' ';
    char previousShort = ' ';
    for (const RowContent &row : rows) {
        RowRecord record;
        record.setLongText(row.longCell.text);
        record.setShortText(row.shortCell.text);
        record.setStile1(styleCodeFromFont(row.longCell.font));
        record.setStile2(styleCodeFromFont(row.shortCell.font));
        record.setColore1(colourCode(row.longCell.colour, &previousLong));
        record.setColore2(colourCode(row.shortCell.colour, &previousShort));
        sheet.append(record.constData(), RecordLength);
    }
    return sheet;
}
