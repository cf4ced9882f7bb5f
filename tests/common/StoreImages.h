#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// Store images are built byte by byte, independently of the program's own record code.
namespace StoreImage {

constexpr int RecordBytes = 146;

// The codes at a record's end: the style (bold 1, underline 2, both 3) and the colour of each cell.
namespace StyleCode {
constexpr char Plain = '0', Bold = '1', Underlined = '2', BoldUnderlined = '3';
}
namespace ColourCode {
constexpr char Black = '0', DarkBlue = '1', DarkRed = '2', Red = '3', Blue = '4', Magenta = '5';
}
inline QByteArray codes(char style1, char style2, char colour1 = ColourCode::Black, char colour2 = ColourCode::Black)
{
    const char bytes[] = {style1, style2, '0', '0', colour1, colour2};
    return QByteArray(bytes, sizeof bytes);
}

inline QByteArray makeRecord(const QByteArray &text1, const QByteArray &text2, const QByteArray &codes = "000000")
{
    return text1.leftJustified(100, ' ', true) + text2.leftJustified(40, ' ', true) + codes;
}

inline QByteArray storeWith(const QList<QPair<int, QByteArray>> &records = {})
{
    QByteArray store = makeRecord("", "").repeated(1936);
    for (const auto &[n, record] : records)
        store.replace(qsizetype(n - 1) * RecordBytes, RecordBytes, record);
    return store;
}

inline QByteArray recordOf(const QByteArray &store, int n) { return store.mid(qsizetype(n - 1) * RecordBytes, RecordBytes); }

} // namespace StoreImage
