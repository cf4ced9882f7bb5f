// Arbitrary bytes as the records of one sheet: decoding never fails, saving what was read
// gives the same cells back, and the store reads and writes them at the right places.
#include "storage/RecordFile.h"
#include "storage/Record_Riga.h"
#include "storage/SheetCodec.h"
#include "storage/SheetStore.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

class MemoryFile : public RecordFile
{
public:
    explicit MemoryFile(QByteArray *bytes)
        : m_bytes(bytes)
    {
    }
    bool readAt(qint64 offset, char *data, qint64 size, qint64 *got) override
    {
        const qint64 available = std::clamp<qint64>(m_bytes->size() - offset, 0, size);
        if (available > 0)
            std::memcpy(data, m_bytes->constData() + offset, static_cast<size_t>(available));
        *got = available;
        return true;
    }
    bool writeAt(qint64 offset, const char *data, qint64 size) override
    {
        if (m_bytes->size() < offset + size)
            m_bytes->append(QByteArray(offset + size - m_bytes->size(), '\0'));
        m_bytes->replace(offset, size, QByteArray(data, size));
        return true;
    }
    bool flush() override { return true; }
    qint64 size() override { return m_bytes->size(); }
    bool resize(qint64 size) override
    {
        m_bytes->resize(size);
        return true;
    }
    QString errorReason() const override { return QString(); }

private:
    QByteArray *m_bytes;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype rowCount = std::min<qsizetype>(RowsPerSheet, (input.size() + RecordLength - 1) / RecordLength);

    std::array<RowContent, RowsPerSheet> rows;
    std::array<DecodedRow, RowsPerSheet> decoded;
    for (qsizetype r = 0; r < rowCount; ++r) {
        const qsizetype offset = r * RecordLength;
        const Record_Riga record = Record_Riga::fromBytes(input.constData() + offset, input.size() - offset);
        const qsizetype kept = std::min<qsizetype>(RecordLength, input.size() - offset);
        require(record.bytes().left(kept) == input.mid(offset, kept));

        decoded[r] = decodeRow(record);
        const auto toContent = [](const DecodedCell &cell) {
            // 0x123456 is none of the six colours, which exercises the reuse rule.
            return CellContent{cell.text, cell.font.value_or(CellFont()), cell.colour.value_or(0x123456)};
        };
        rows[r] = {toContent(decoded[r].longCell), toContent(decoded[r].shortCell)};
    }

    const QByteArray sheet = encodeSheet(rows);
    require(sheet.size() == RowsPerSheet * RecordLength);
    std::optional<quint32> lastLong, lastShort;
    for (qsizetype r = 0; r < rowCount; ++r) {
        const DecodedRow again = decodeRow(Record_Riga::fromBytes(sheet.constData() + r * RecordLength, RecordLength));
        require(again.longCell.text == decoded[r].longCell.text);
        require(again.shortCell.text == decoded[r].shortCell.text);
        require(again.longCell.font == decoded[r].longCell.font.value_or(CellFont()));
        require(again.shortCell.font == decoded[r].shortCell.font.value_or(CellFont()));
        // An unknown colour comes back as the last known colour above it in the column.
        if (decoded[r].longCell.colour)
            lastLong = decoded[r].longCell.colour;
        if (decoded[r].shortCell.colour)
            lastShort = decoded[r].shortCell.colour;
        require(again.longCell.colour == lastLong);
        require(again.shortCell.colour == lastShort);
    }

    // The input as a whole store file, however short or long.
    QByteArray file = input;
    SheetStore store;
    require(store.open(std::make_unique<MemoryFile>(&file), QStringLiteral("rubri.dat")));
    for (const int n : {1, static_cast<int>(std::min<qsizetype>(input.size() / RecordLength + 1, RecordCount)), RecordCount}) {
        Record_Riga record;
        require(store.read(n, &record));
        const qsizetype offset = qsizetype(n - 1) * RecordLength;
        const qsizetype available = std::clamp<qsizetype>(input.size() - offset, 0, RecordLength);
        require(record == Record_Riga::fromBytes(input.constData() + std::min(offset, input.size()), available));
    }
    // The first sheets only: growing the file to sheet 43 every run costs more than it finds.
    const int sheetNumber = size > 0 ? data[0] % 3 : 0;
    require(store.writeSheet(sheetNumber, sheet));
    const qsizetype at = qsizetype(sheetNumber) * RowsPerSheet * RecordLength;
    require(file.mid(at, sheet.size()) == sheet);
    require(file.left(std::min(at, input.size())) == input.left(at));
    return 0;
}
