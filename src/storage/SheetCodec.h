#pragma once

#include "storage/RowRecord.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// What one grid row holds when it is saved.
struct CellContent
{
    QString text;
    CellFont font;
    quint32 colour = 0;
};

struct RowContent
{
    CellContent longCell, shortCell;
};

// What a record says about one grid row. A font or colour code outside the tables gives
// nullopt: the cell then keeps the font or colour it had.
struct DecodedCell
{
    QString text;
    std::optional<CellFont> font;
    std::optional<quint32> colour;
};

struct DecodedRow
{
    DecodedCell longCell, shortCell;
};

DecodedRow decodeRow(const RowRecord &record);

// The 44 records of one sheet, row 1 first, ready to be written at the sheet's offset.
QByteArray encodeSheet(const std::array<RowContent, RowsPerSheet> &rows);
