#include "editing/CellInput.h"

#include "storage/AnsiCodec.h"

namespace CellInput {

namespace {

// Characters that separate words or lines in the text they come from; they become a blank
// rather than vanish, so that "Via Roma" + line feed + "12" does not read "Via Roma12".
bool isSeparator(char16_t c)
{
    switch (c) {
    case u'\t':
    case u'\n':
    case 0x0B: // vertical tab
    case 0x0C: // form feed
    case u'\r':
    case 0x85:   // next line
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
        return true;
    default:
        return false;
    }
}

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

} // namespace

QString toStorable(const QString &text)
{
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QString kept;
    kept.reserve(composed.size());
    const qsizetype size = composed.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = composed.at(i).unicode();
        if (c == u'\r' && i + 1 < size && composed.at(i + 1) == u'\n')
            continue; // the line feed that follows makes the one blank
        if (isSeparator(c))
            kept.append(u' ');
        else if (!isControl(c))
            kept.append(composed.at(i));
    }
    // The round trip through the store's own encoder gives exactly what a save would write
    // ("?" here; Windows' best-fit character there).
    return AnsiCodec::decode(AnsiCodec::encode(kept));
}

QString fromPaste(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && isLineBreak(text.at(end - 1)))
        --end;
    return toStorable(text.left(end));
}

} // namespace CellInput
