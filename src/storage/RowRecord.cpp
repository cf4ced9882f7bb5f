#include "storage/RowRecord.h"

#include "storage/AnsiCodec.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::array<quint32, 6> TextColours = {
    0x000000, // black
    0xC00000, // dark blue
    0x0000C0, // dark red
    0x0000FF, // red
    0xFF0000, // blue
    0xFF00FF, // magenta
};

} // namespace

RowRecord::RowRecord()
{
    m_bytes.fill(' ');
    std::fill(m_bytes.begin() + LongTextLength + ShortTextLength, m_bytes.end(), '0');
}

RowRecord RowRecord::fromBytes(const char *data, qsizetype size)
{
    RowRecord record;
    const qsizetype count = std::clamp<qsizetype>(size, 0, RecordLength);
    if (count > 0)
        std::memcpy(record.m_bytes.data(), data, static_cast<std::size_t>(count));
    return record;
}

QByteArray RowRecord::bytes() const
{
    return QByteArray(m_bytes.data(), RecordLength);
}

QString RowRecord::longText() const
{
    return text(0, LongTextLength);
}

QString RowRecord::shortText() const
{
    return text(LongTextLength, ShortTextLength);
}

void RowRecord::setLongText(const QString &text)
{
    setText(0, LongTextLength, text);
}

void RowRecord::setShortText(const QString &text)
{
    setText(LongTextLength, ShortTextLength, text);
}

QString RowRecord::text(int offset, int length) const
{
    const char *begin = m_bytes.data() + offset;
    const char *end = std::find(begin, begin + length, '\0');
    // Only blanks are trimmed: a tab or other control byte at the end is part of the text.
    while (end != begin && end[-1] == ' ')
        --end;
    return AnsiCodec::decode(QByteArray(begin, end - begin));
}

void RowRecord::setText(int offset, int length, const QString &text)
{
    const QByteArray encoded = AnsiCodec::encode(text, length);
    const qsizetype count = std::min<qsizetype>(encoded.size(), length);
    char *field = m_bytes.data() + offset;
    std::memcpy(field, encoded.constData(), static_cast<std::size_t>(count));
    std::fill(field + count, field + length, ' ');
}

std::optional<CellFont> fontFromStyleCode(char code)
{
    if (code < '0' || code > '3')
        return std::nullopt;
    const int bits = code - '0';
    CellFont font;
    font.bold = (bits & 1) != 0;
    font.underline = (bits & 2) != 0;
    return font;
}

char styleCodeFromFont(CellFont font)
{
    return static_cast<char>('0' + (font.bold ? 1 : 0) + (font.underline ? 2 : 0));
}

std::optional<quint32> colourFromCode(char code)
{
    if (code < '0' || code > '5')
        return std::nullopt;
    return TextColours[static_cast<std::size_t>(code - '0')];
}

QString colourNameOfCode(char code)
{
    static const std::array<const char *, 6> names{"Nero", "Blu scuro", "Rosso scuro", "Rosso", "Blu", "Magenta"};
    if (code < '0' || code > '5')
        return QString();
    return QString::fromUtf8(names[static_cast<std::size_t>(code - '0')]);
}

std::optional<char> codeFromColour(quint32 colour)
{
    const auto found = std::find(TextColours.begin(), TextColours.end(), colour);
    if (found == TextColours.end())
        return std::nullopt;
    return static_cast<char>('0' + (found - TextColours.begin()));
}
