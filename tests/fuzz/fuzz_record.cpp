// Arbitrary bytes as the records of one sheet: decoding never fails, and saving what was read
// gives the same cells back. The seed "all_bytes" holds every byte value once.
#include "FuzzHarness.h"
#include "storage/AnsiCodec.h"
#include "storage/RowRecord.h"
#include "storage/SheetCodec.h"

#include <algorithm>

namespace {

// 0x123456 is none of the six colours, which exercises the rule for unknown colours.
CellContent contentOf(const DecodedCell &cell)
{
    return CellContent{cell.text, cell.font.value_or(CellFont()), cell.colour.value_or(0x123456)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = bytesOf(data, size);
    require(AnsiCodec::encode(AnsiCodec::decode(input)) == input); // each byte has a character of its own
    const qsizetype rowCount = std::min<qsizetype>(RowsPerSheet, (input.size() + RecordLength - 1) / RecordLength);
    std::array<RowContent, RowsPerSheet> rows;
    std::array<DecodedRow, RowsPerSheet> decoded;
    for (qsizetype r = 0; r < rowCount; ++r) {
        const qsizetype offset = r * RecordLength;
        const RowRecord record = RowRecord::fromBytes(input.constData() + offset, input.size() - offset);
        // A record cut short by the end of the input is the empty record from there on.
        require(record.bytes() == input.mid(offset, RecordLength) + RowRecord().bytes().mid(input.size() - offset));
        decoded[r] = decodeRow(record);
        rows[r] = {contentOf(decoded[r].longCell), contentOf(decoded[r].shortCell)};
    }

    const QByteArray sheet = encodeSheet(rows);
    require(sheet.size() == RowsPerSheet * RecordLength);
    std::optional<quint32> lastLong, lastShort;
    for (qsizetype r = 0; r < rowCount; ++r) {
        const DecodedRow again = decodeRow(RowRecord::fromBytes(sheet.constData() + r * RecordLength, RecordLength));
        require(again.longCell.text == decoded[r].longCell.text && again.shortCell.text == decoded[r].shortCell.text);
        require(again.longCell.font == decoded[r].longCell.font.value_or(CellFont()));
        require(again.shortCell.font == decoded[r].shortCell.font.value_or(CellFont()));
        // An unknown colour comes back as the last known colour above it in the column.
        lastLong = decoded[r].longCell.colour ? decoded[r].longCell.colour : lastLong;
        lastShort = decoded[r].shortCell.colour ? decoded[r].shortCell.colour : lastShort;
        require(again.longCell.colour == lastLong && again.shortCell.colour == lastShort);
    }
    return 0;
}
