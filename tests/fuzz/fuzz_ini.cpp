// Arbitrary bytes as a settings file: reading never fails, and writing one key changes
// only that key's line (or adds the key, or the section and the key) and nothing else.
#include "storage/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isWrittenLine(QByteArray line, const QByteArray &value)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (line == "[Rubrica]")
        return true;
    const qsizetype equals = line.indexOf('=');
    return equals > 0 && line.mid(equals + 1) == value
        && QString::fromLatin1(line.left(equals)).compare(QLatin1String("ColTasti"), Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Every write is synced to the disk; a memory file system makes that free where there is one.
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/fuzz_ini-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/fuzz_ini-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Kardel.ini"));
    const QByteArray before(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        require(file.write(before) == before.size());
    }

    const auto read = [&](const char *section, const char *key) {
        return IniFile::readString(path, QLatin1String(section), QLatin1String(key), QStringLiteral("Default"));
    };
    const QString otherBefore = read("Rubrica", "ColSfondo");
    const QString foreignBefore = read("Kardel", "ColTasti");
    (void)read("rubrica", "coltasti");

    const QString value = size > 0 ? QString::number(data[size - 1] % 10) : QStringLiteral("7");
    require(IniFile::writeString(path, QStringLiteral("Rubrica"), QStringLiteral("ColTasti"), value));
    QFile file(path);
    require(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();

    require(read("RUBRICA", "coltasti") == value);
    require(read("Rubrica", "ColSfondo") == otherBefore);
    require(read("Kardel", "ColTasti") == foreignBefore);
    require(after.endsWith('\n') == (before.isEmpty() || before.endsWith('\n')));

    // The change is one run of lines: at most one old line replaced, or one or two added.
    // Lines are split at '\n' only, so a line keeps its '\r'. A last line without an ending
    // gets one when something is added after it, which is the only change it may see.
    const QList<QByteArray> oldLines = before.split('\n');
    const QList<QByteArray> newLines = after.split('\n');
    const auto same = [&](qsizetype oldIndex, qsizetype newIndex) {
        const QByteArray &line = oldLines[oldIndex];
        const QByteArray &kept = newLines[newIndex];
        return kept == line || (oldIndex == oldLines.size() - 1 && kept == line + '\r');
    };
    qsizetype prefix = 0;
    while (prefix < oldLines.size() && prefix < newLines.size() && same(prefix, prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < oldLines.size() - prefix && suffix < newLines.size() - prefix
           && same(oldLines.size() - 1 - suffix, newLines.size() - 1 - suffix))
        ++suffix;
    const qsizetype oldMiddle = oldLines.size() - prefix - suffix;
    const qsizetype newMiddle = newLines.size() - prefix - suffix;
    require(oldMiddle <= 1);
    require(oldMiddle == 0 ? newMiddle <= 2 : newMiddle == 1);
    for (qsizetype i = prefix; i < prefix + newMiddle; ++i)
        require(isWrittenLine(newLines[i], value.toLatin1()));
    return 0;
}
