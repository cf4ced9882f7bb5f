#include "search/SearchText.h"

#include "storage/AnsiCodec.h"
#include "storage/RowRecord.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

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

// Characters of Italian text from the most common to the least, by rough letter counts;
// any character not listed counts as rarer than all of them.
constexpr char16_t CommonFirst[] = u"EAIONLRTSC0123456789DUPMVGHFBQZ";

int commonness(char16_t c)
{
    const char16_t *end = CommonFirst + std::size(CommonFirst) - 1;
    const char16_t *found = std::find(CommonFirst, end, c);
    return found == end ? -1 : int(end - found);
}

// A look-out of more bytes than this costs more than it saves; three look-outs rule out
// nearly every field that does not hold the key.
constexpr int MaxLookOutBytes = 4;
constexpr int MaxLookOuts = 3;

} // namespace

SearchText::SearchText(const QString &boxText)
    : m_key(comparable(boxText.normalized(QString::NormalizationForm_C)))
{
    const ByteTable &table = byteTable();
    if (!table.usable)
        return;
    QList<char16_t> rarestFirst;
    for (const QChar c : m_key) {
        if (!rarestFirst.contains(c.unicode()))
            rarestFirst << c.unicode();
    }
    std::stable_sort(rarestFirst.begin(), rarestFirst.end(),
                     [](char16_t a, char16_t b) { return commonness(a) < commonness(b); });
    for (const char16_t c : rarestFirst) {
        QByteArray bytes;
        for (int b = 1; b < 256; ++b) {
            if (table.chars[size_t(b)] == c)
                bytes.append(char(b));
        }
        if (bytes.isEmpty())
            m_neverInField = true;
        else if (bytes.size() <= MaxLookOutBytes && m_lookOuts.size() < MaxLookOuts)
            m_lookOuts << bytes;
    }
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
    const ByteTable &table = byteTable();
    if (!table.usable)
        return foundIn(AnsiCodec::decode(QByteArray(field, std::find(field, field + size, '\0') - field)));
    if (m_key.size() > size || m_neverInField || !mayBeInField(field, size))
        return false;

    // Most of a field is the blanks that pad it.
    const char *end = field + size;
    while (end != field && end[-1] == ' ')
        --end;
    std::array<char16_t, LongTextLength> text;
    qsizetype count = 0;
    for (const char *p = field; p != end && *p != '\0'; ++p) {
        const char16_t c = table.chars[static_cast<unsigned char>(*p)];
        text[size_t(count)] = c;
        count += c != Dropped;
    }
    return foundInComparable(text.data(), count);
}

bool SearchText::mayBeInField(const char *field, int length) const
{
    for (const QByteArray &lookOut : m_lookOuts) {
        const auto holds = [&](char b) { return std::memchr(field, b, size_t(length)) != nullptr; };
        if (std::none_of(lookOut.begin(), lookOut.end(), holds))
            return false;
    }
    return true;
}

bool SearchText::foundInComparable(const char16_t *text, qsizetype length) const
{
    if (length == 0 || m_key.size() > length)
        return false;
    return QStringView(text, length).indexOf(QStringView(m_key)) >= 0;
}
