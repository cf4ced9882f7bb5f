// A cell is a hit exactly when a plain search on both texts, reduced alike, finds it; read from the
// store's bytes or as text.
#include "FuzzHarness.h"
#include "search/SearchText.h"
#include "storage/AnsiCodec.h"

namespace {

// Blanks, full stops, slashes and hyphens left out, each character in its capital.
QString reduced(const QString &text)
{
    QString result;
    for (const QChar c : text) {
        if (c != u' ' && c != u'.' && c != u'/' && c != u'-')
            result += c.toUpper();
    }
    return result;
}

// The plain search: every place of the cell, one after the other.
bool plainSearch(const QString &searched, const QString &cell)
{
    const QString key = reduced(searched.normalized(QString::NormalizationForm_C));
    const QString text = reduced(cell);
    if (text.isEmpty())
        return false;
    for (qsizetype at = 0; at + key.size() <= text.size(); ++at) {
        if (QStringView(text).mid(at, key.size()) == key)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte: how many UTF-16 units of search text follow; the rest is a store's field.
    const size_t keyUnits = std::min<size_t>(data[0] % 64, (size - 1) / 2);
    const QString searched(reinterpret_cast<const QChar *>(data + 1), qsizetype(keyUnits));
    const char *field = reinterpret_cast<const char *>(data + 1 + 2 * keyUnits);
    const int fieldLength = int(std::min<size_t>(size - 1 - 2 * keyUnits, 146));
    const SearchText text(searched);

    const QByteArray stored(field, qsizetype(std::min(fieldLength, 100)));
    const QString cell = AnsiCodec::decode(stored.left(stored.indexOf('\0') < 0 ? stored.size() : stored.indexOf('\0')));
    const bool expected = plainSearch(searched, cell);
    require(text.foundInField(field, fieldLength) == expected);
    require(text.foundIn(cell) == expected);
    return 0;
}
