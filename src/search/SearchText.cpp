#include "search/SearchText.h"

#include "storage/AnsiCodec.h"
#include "storage/Record_Riga.h"

#include <algorithm>
#include <array>

namespace {

constexpr char16_t Dropped = 0; // marks a character that comparing leaves out

bool isDropped(char16_t c)
{
    return c == u' ' || c == u'.' || c == u'/' || c == u'-';
}

// One character as it is compared. The simple one-to-one upper-case mapping keeps the
// length, so "ß" stays itself instead of becoming "SS"; every Italian letter has its capital.
char16_t comparableChar(char16_t c)
{
    return isDropped(c) ? Dropped : char16_t(QChar::toUpper(c));
}

// What each byte of a store field compares as. Reading a field then costs one look-up per
// byte instead of a decoded string, which keeps a walk over the whole store well under a
// millisecond. Only a code page of one character per byte fits in such a table.
struct ByteTable
{
    bool usable = false;
    std::array<char16_t, 256> chars{};

    ByteTable()
    {
        QByteArray bytes(255, '\0');
        for (int b = 1; b < 256; ++b)
            bytes[b - 1] = char(b);
        const QString decoded = AnsiCodec::decode(bytes);
        if (decoded.size() != 255)
            return;
        for (int b = 1; b < 256; ++b)
            chars[size_t(b)] = comparableChar(decoded.at(b - 1).unicode());
        usable = true;
    }
};

const ByteTable &byteTable()
{
    static const ByteTable table;
    return table;
}

} // namespace

SearchText::SearchText(const QString &boxText)
    : m_key(comparable(boxText.normalized(QString::NormalizationForm_C)))
{
}

QString SearchText::comparable(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (!isDropped(c.unicode()))
            result.append(QChar(comparableChar(c.unicode())));
    }
    return result;
}

bool SearchText::foundIn(QStringView cellText) const
{
    const QString text = comparable(cellText);
    return foundInComparable(reinterpret_cast<const char16_t *>(text.utf16()), text.size());
}

bool SearchText::foundInField(const char *field, int length) const
{
    const int size = std::clamp(length, 0, LongTextLength);
    const char *end = std::find(field, field + size, '\0');
    const ByteTable &table = byteTable();
    if (!table.usable)
        return foundIn(AnsiCodec::decode(QByteArray(field, end - field)));

    std::array<char16_t, LongTextLength> text;
    qsizetype count = 0;
    for (const char *p = field; p != end; ++p) {
        const char16_t c = table.chars[static_cast<unsigned char>(*p)];
        if (c != Dropped)
            text[size_t(count++)] = c;
    }
    return foundInComparable(text.data(), count);
}

bool SearchText::foundInComparable(const char16_t *text, qsizetype length) const
{
    if (length == 0 || m_key.size() > length)
        return false;
    return QStringView(text, length).indexOf(QStringView(m_key)) >= 0;
}
