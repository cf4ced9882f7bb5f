#include "exchange/FolderNames.h"

#include "storage/RowRecord.h"

#include <array>

namespace FolderNames {

namespace {

// The tabs by index, which is what the store's sheet numbers follow.
constexpr std::array<const char *, SheetCount> Captions = {
    "A1", "B1", "C1", "D1", "E1", "F1", "G1", "HJK", "I1", "L1", "M1", "N1", "O1", "P1", "Q1",
    "R1", "S1", "T1", "U1", "V1", "Z1", "A2", "B2", "C2", "D2", "E2", "F2", "G2", "WXY", "I2",
    "L2", "M2", "N2", "O2", "P2", "Q2", "R2", "S2", "T2", "U2", "V2", "Z2", "*", "#",
};

constexpr int Asterisk = 42;
constexpr int Hash = 43;

} // namespace

QString caption(int sheet)
{
    if (sheet < 0 || sheet >= SheetCount)
        return QString();
    return QString::fromLatin1(Captions[static_cast<std::size_t>(sheet)]);
}

int sheetOf(const QString &text)
{
    const QString wanted = text.trimmed().toUpper();
    for (int sheet = 0; sheet < SheetCount; ++sheet) {
        if (wanted == QLatin1String(Captions[static_cast<std::size_t>(sheet)]))
            return sheet;
    }
    return -1;
}

QVector<int> sheetsForInitial(QChar first)
{
    if (first.isDigit())
        return {Asterisk};
    // "É" decomposes into "E" + accent; ligatures and letters without a base letter stay.
    const QString decomposed = QString(first).normalized(QString::NormalizationForm_D);
    const QChar letter = decomposed.isEmpty() ? first : decomposed.at(0).toUpper();
    if (letter.unicode() < 'A' || letter.unicode() > 'Z')
        return {Hash};
    const char c = static_cast<char>(letter.unicode());
    if (c == 'H' || c == 'J' || c == 'K')
        return {sheetOf(QStringLiteral("HJK"))};
    if (c == 'W' || c == 'X' || c == 'Y')
        return {sheetOf(QStringLiteral("WXY"))};
    const QString one = QString(QChar::fromLatin1(c)) + u'1';
    const QString two = QString(QChar::fromLatin1(c)) + u'2';
    return {sheetOf(one), sheetOf(two)};
}

} // namespace FolderNames
