#include "storage/AnsiCodec.h"

#ifdef Q_OS_WIN
#include "storage/win32/CodePage.h"

#include <limits>
#endif

#include <array>

namespace AnsiCodec {

#ifdef Q_OS_WIN

QByteArray encode(const QString &text, qsizetype maxBytes)
{
    const std::string bytes = win32::encodeAnsi(text.toStdWString(), win32::SystemCodePage,
                                                static_cast<std::size_t>(maxBytes));
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QByteArray encode(const QString &text)
{
    return encode(text, std::numeric_limits<qsizetype>::max());
}

QString decode(const QByteArray &bytes)
{
    return QString::fromStdWString(win32::decodeAnsi(bytes.toStdString(), win32::SystemCodePage));
}

#else

namespace {

// Bytes 0x80..0x9F of Windows-1252. The five bytes the page leaves undefined map to the C1
// control of the same number, as Windows itself does, so that every byte survives a round trip.
constexpr std::array<char16_t, 32> HighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeUnit(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < HighTable.size(); ++i) {
        if (HighTable[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        // A character outside the 16-bit range is still one character, so one '?'.
        if (c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            bytes.append('?');
            ++i;
            continue;
        }
        bytes.append(encodeUnit(c.unicode()));
    }
    return bytes;
}

// One byte per character here, so a cut at any byte is a cut between characters.
QByteArray encode(const QString &text, qsizetype maxBytes)
{
    return encode(text).left(maxBytes);
}

QString decode(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x80 && value < 0xA0)
            text.append(QChar(HighTable[value - 0x80]));
        else
            text.append(QChar(char16_t(value)));
    }
    return text;
}

#endif

} // namespace AnsiCodec
