// Arbitrary bytes as a settings file: reading never fails, and writing one key changes only
// that key's line (or adds the key, or the section and the key) and nothing else.
#include "FuzzHarness.h"
#include "storage/IniFile.h"

#include <QList>

namespace {

// Lines with their endings: CR LF, LF, or CR alone.
QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        if (bytes[i] == '\n' || bytes[i] == '\r') {
            lines << bytes.mid(start, i + 1 - start);
            start = i + 1;
        }
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    return lines;
}

bool endsLine(const QByteArray &bytes)
{
    return bytes.endsWith('\n') || bytes.endsWith('\r');
}

QByteArray withoutEnding(QByteArray line)
{
    while (endsLine(line))
        line.chop(1);
    return line;
}

// "[Rubrica]", or the key in any case with the value written.
bool isWrittenLine(const QByteArray &withEnding, const QByteArray &value)
{
    const QByteArray line = withoutEnding(withEnding);
    const qsizetype equals = line.indexOf('=');
    return line == "[Rubrica]"
        || (equals > 0 && line.mid(equals + 1) == value
            && QString::fromLatin1(line.left(equals)).compare(QLatin1String("ColTasti"), Qt::CaseInsensitive) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray before = bytesOf(data, size);
    const auto read = [](const QByteArray &contents, const char *section, const char *key) {
        return IniFile::valueIn(contents, QLatin1String(section), QLatin1String(key));
    };
    const QString value = size > 0 ? QString::number(data[size - 1] % 10) : QStringLiteral("7");
    const QByteArray after = IniFile::withValue(before, QStringLiteral("Rubrica"), QStringLiteral("ColTasti"), value);

    require(read(after, "RUBRICA", "coltasti") == value);
    require(read(after, "Rubrica", "ColSfondo") == read(before, "Rubrica", "ColSfondo"));
    require(read(after, "Kardel", "ColTasti") == read(before, "Kardel", "ColTasti"));
    require(endsLine(after) == (before.isEmpty() || endsLine(before)));
    // A key that already reads as the value is not touched.
    if (read(before, "Rubrica", "ColTasti") == value)
        require(after == before);

    // One old line replaced, or one or two added; a last line without an ending may gain one.
    const QList<QByteArray> oldLines = linesOf(before), newLines = linesOf(after);
    const auto same = [&](qsizetype oldIndex, qsizetype newIndex) {
        const QByteArray &line = oldLines[oldIndex];
        return newLines[newIndex] == line
            || (oldIndex == oldLines.size() - 1 && !endsLine(line) && withoutEnding(newLines[newIndex]) == line);
    };
    qsizetype prefix = 0, suffix = 0;
    while (prefix < oldLines.size() && prefix < newLines.size() && same(prefix, prefix))
        ++prefix;
    while (suffix < oldLines.size() - prefix && suffix < newLines.size() - prefix
           && same(oldLines.size() - 1 - suffix, newLines.size() - 1 - suffix))
        ++suffix;
    const qsizetype oldMiddle = oldLines.size() - prefix - suffix, newMiddle = newLines.size() - prefix - suffix;
    require(oldMiddle == 0 ? newMiddle <= 2 : oldMiddle == 1 && newMiddle == 1);
    for (qsizetype i = prefix; i < prefix + newMiddle; ++i)
        require(isWrittenLine(newLines[i], value.toLatin1()));
    return 0;
}
