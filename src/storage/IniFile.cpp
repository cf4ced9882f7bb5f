#include "storage/IniFile.h"

#include "storage/AnsiCodec.h"
#include "storage/SystemErrorText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

namespace {

enum class LineKind { Other, Section, Key };

struct Line
{
    QByteArray content; // without the line ending
    QByteArray ending;  // "\r\n", "\n", or empty for a last line without one
    LineKind kind = LineKind::Other;
    QByteArray name;    // section or key name as spelled in the file, trimmed
    QByteArray value;   // a key's value, trimmed
    bool hasValue = false;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray trimmed(const QByteArray &bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes.at(begin)))
        ++begin;
    while (end > begin && isBlank(bytes.at(end - 1)))
        --end;
    return bytes.mid(begin, end - begin);
}

void classify(Line *line, bool first)
{
    QByteArray text = line->content;
    // A file saved as UTF-8 by a text editor may start with a byte order mark.
    if (first && text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    text = trimmed(text);
    if (text.isEmpty() || text.startsWith(';'))
        return;
    if (text.startsWith('[')) {
        const qsizetype close = text.lastIndexOf(']');
        if (close > 0) {
            line->kind = LineKind::Section;
            line->name = trimmed(text.mid(1, close - 1));
            return;
        }
    }
    const qsizetype equals = text.indexOf('=');
    line->name = trimmed(equals < 0 ? text : text.left(equals));
    if (line->name.isEmpty())
        return;
    line->kind = LineKind::Key;
    line->hasValue = equals >= 0;
    if (line->hasValue)
        line->value = trimmed(text.mid(equals + 1));
}

// Lines end with CR LF, LF or CR alone: files written by old editors on other systems hold
// bare CRs, and reading those as one long line would hide the section they contain.
std::vector<Line> parse(const QByteArray &contents)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    const qsizetype size = contents.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && contents.at(end) != '\n' && contents.at(end) != '\r')
            ++end;
        qsizetype next = end;
        if (next < size)
            next += (contents.at(next) == '\r' && next + 1 < size && contents.at(next + 1) == '\n') ? 2 : 1;
        Line line;
        line.content = contents.mid(start, end - start);
        line.ending = contents.mid(end, next - end);
        start = next;
        classify(&line, lines.empty());
        lines.push_back(std::move(line));
    }
    return lines;
}

// New lines take the ending most lines of the file have; CR LF for a new file and on a tie.
QByteArray usualEnding(const std::vector<Line> &lines)
{
    int crlf = 0, lf = 0, cr = 0;
    for (const Line &line : lines) {
        if (line.ending == "\r\n")
            ++crlf;
        else if (line.ending == "\n")
            ++lf;
        else if (line.ending == "\r")
            ++cr;
    }
    if (lf > crlf && lf >= cr)
        return QByteArrayLiteral("\n");
    if (cr > crlf && cr > lf)
        return QByteArrayLiteral("\r");
    return QByteArrayLiteral("\r\n");
}

bool sameName(const QByteArray &fileName, const QString &name)
{
    return AnsiCodec::decode(fileName).compare(name, Qt::CaseInsensitive) == 0;
}

// The first section of that name, as the profile functions take it; -1 when missing.
qsizetype findSection(const std::vector<Line> &lines, const QString &section)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::Section && sameName(lines[i].name, section))
            return static_cast<qsizetype>(i);
    }
    return -1;
}

// Index one past the section's last line.
qsizetype sectionEnd(const std::vector<Line> &lines, qsizetype header)
{
    auto i = static_cast<std::size_t>(header) + 1;
    while (i < lines.size() && lines[i].kind != LineKind::Section)
        ++i;
    return static_cast<qsizetype>(i);
}

qsizetype findKey(const std::vector<Line> &lines, qsizetype header, const QString &key)
{
    const qsizetype end = sectionEnd(lines, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line &line = lines[static_cast<std::size_t>(i)];
        if (line.kind == LineKind::Key && sameName(line.name, key))
            return i;
    }
    return -1;
}

QByteArray unquoted(const QByteArray &value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

bool readAll(const QString &path, QByteArray *contents)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *contents = file.readAll();
    return file.error() == QFileDevice::NoError;
}

} // namespace

std::optional<QString> IniFile::valueIn(const QByteArray &contents, const QString &section,
                                        const QString &key)
{
    const std::vector<Line> lines = parse(contents);
    const qsizetype header = findSection(lines, section);
    if (header < 0)
        return std::nullopt;
    const qsizetype index = findKey(lines, header, key);
    if (index < 0 || !lines[static_cast<std::size_t>(index)].hasValue)
        return std::nullopt;
    return AnsiCodec::decode(unquoted(lines[static_cast<std::size_t>(index)].value));
}

QByteArray IniFile::withValue(const QByteArray &contents, const QString &section,
                              const QString &key, const QString &value)
{
    std::vector<Line> lines = parse(contents);
    const QByteArray newline = usualEnding(lines);
    const QByteArray encodedValue = AnsiCodec::encode(value);

    const auto insertLine = [&](qsizetype at, const QByteArray &content) {
        // The line before may be a last line without an ending; it needs one now.
        if (at > 0 && lines[static_cast<std::size_t>(at - 1)].ending.isEmpty())
            lines[static_cast<std::size_t>(at - 1)].ending = newline;
        Line line;
        line.content = content;
        line.ending = newline;
        lines.insert(lines.begin() + at, std::move(line));
    };

    const qsizetype header = findSection(lines, section);
    if (header < 0) {
        const auto end = static_cast<qsizetype>(lines.size());
        insertLine(end, '[' + AnsiCodec::encode(section) + ']');
        insertLine(end + 1, AnsiCodec::encode(key) + '=' + encodedValue);
    } else if (const qsizetype index = findKey(lines, header, key); index >= 0) {
        Line &line = lines[static_cast<std::size_t>(index)];
        // A value that already reads as the new one keeps its line as the user wrote it.
        if (line.hasValue && AnsiCodec::decode(unquoted(line.value)) == value)
            return contents;
        line.content = line.name + '=' + encodedValue;
    } else {
        qsizetype after = header;
        const qsizetype end = sectionEnd(lines, header);
        for (qsizetype i = header + 1; i < end; ++i) {
            if (lines[static_cast<std::size_t>(i)].kind == LineKind::Key)
                after = i;
        }
        insertLine(after + 1, AnsiCodec::encode(key) + '=' + encodedValue);
    }

    // A file that did not end with a line ending still does not.
    if (!contents.isEmpty() && !contents.endsWith('\n') && !contents.endsWith('\r'))
        lines.back().ending.clear();

    QByteArray result;
    result.reserve(contents.size() + encodedValue.size() + section.size() + key.size() + 8);
    for (const Line &line : lines)
        result += line.content + line.ending;
    return result;
}

QString IniFile::readString(const QString &path, const QString &section, const QString &key,
                            const QString &defaultText)
{
    QByteArray contents;
    if (readAll(path, &contents)) {
        if (std::optional<QString> value = valueIn(contents, section, key))
            return *value;
    }
    // The profile reader drops trailing blanks of the default text too.
    QString fallback = defaultText;
    while (fallback.endsWith(QLatin1Char(' ')))
        fallback.chop(1);
    return fallback;
}

bool IniFile::writeString(const QString &path, const QString &section, const QString &key,
                          const QString &value, QString *reason)
{
    const auto refused = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    const auto failed = [&refused](int code) {
        return refused(code != 0 ? SystemErrorText::reason(code) : QStringLiteral("il file non può essere scritto"));
    };
    QByteArray contents;
    SystemErrorText::clearLast();
    if (QFile::exists(path) && !readAll(path, &contents))
        return failed(SystemErrorText::lastCode());
    const QByteArray updated = withValue(contents, section, key, value);
    // Nothing to change: the file keeps its date, and a read-only file is no failure.
    if (updated == contents)
        return true;
    // A read-only file is refused, as the Windows profile functions refuse it, rather than
    // replaced by a new file the renaming would put in its place.
    if (QFile::exists(path) && !QFileInfo(path).isWritable())
        return refused(QStringLiteral("il file è di sola lettura"));
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    SystemErrorText::clearLast();
    if (!file.open(QIODevice::WriteOnly))
        return failed(SystemErrorText::lastCode());
    if (file.write(updated) != updated.size()) {
        const int code = SystemErrorText::lastCode();
        file.cancelWriting();
        return failed(code);
    }
    SystemErrorText::clearLast();
    return file.commit() || failed(SystemErrorText::lastCode());
}
