#pragma once

#include <QByteArray>
#include <QString>

// Names the first byte in which two store images differ by its record and field, or gives
// an empty text when they are the same.
inline QString firstStoreDifference(const QByteArray &actual, const QByteArray &expected)
{
    static const struct
    {
        const char *name;
        int end;
    } fields[] = {{"Testo1", 100}, {"Testo2", 140}, {"Stile1", 141}, {"Stile2", 142}, {"Riserva1", 143},
                  {"Riserva2", 144}, {"Colore1", 145}, {"Colore2", 146}};
    const qsizetype size = qMin(actual.size(), expected.size());
    for (qsizetype i = 0; i < size; ++i) {
        if (actual.at(i) == expected.at(i))
            continue;
        const int offset = int(i % 146);
        int field = 0;
        while (offset >= fields[field].end)
            ++field;
        const int start = field == 0 ? 0 : fields[field - 1].end;
        return QStringLiteral("record %1, %2 byte %3: 0x%4 instead of 0x%5")
            .arg(i / 146 + 1)
            .arg(QLatin1String(fields[field].name))
            .arg(offset - start)
            .arg(quint8(actual.at(i)), 2, 16, QLatin1Char('0'))
            .arg(quint8(expected.at(i)), 2, 16, QLatin1Char('0'));
    }
    if (actual.size() != expected.size())
        return QStringLiteral("%1 bytes instead of %2").arg(actual.size()).arg(expected.size());
    return QString();
}

// A store comparison that names the first differing record and field when it fails.
#define COMPARE_STORE(actual, expected) QCOMPARE(firstStoreDifference((actual), (expected)), QString())
