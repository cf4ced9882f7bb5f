#include "exchange/CsvFormat.h"

#include "exchange/FolderNames.h"
#include "storage/RowRecord.h"

#include <array>

namespace Csv {

namespace {

const QStringList &columnNames()
{
    static const QStringList names{QStringLiteral("Cartella"),     QStringLiteral("Riga"),
                                   QStringLiteral("Testo lungo"),  QStringLiteral("Testo breve"),
                                   QStringLiteral("Grassetto"),    QStringLiteral("Sottolineato"),
                                   QStringLiteral("Colore")};
    return names;
}
enum Column { Folder, Row, LongText, ShortText, Bold, Underline, Colour, ColumnCount };

bool isFormulaStart(QChar c)
{
    return c == u'=' || c == u'+' || c == u'-' || c == u'@';
}

// Apostrophes, then a formula character: exactly the texts that gain or lose one apostrophe.
bool looksLikeFormula(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u'\'')
        ++i;
    return i < text.size() && isFormulaStart(text.at(i));
}

QString quoted(const QString &field)
{
    const bool plain = !field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n')
        && !field.contains(u'\r') && !field.startsWith(u' ') && !field.endsWith(u' ');
    if (plain)
        return field;
    QString text = field;
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("sì") : QStringLiteral("no");
}

// One value when both cells agree, else "long / short".
QString pair(const QString &longValue, const QString &shortValue)
{
    return longValue == shortValue ? longValue : longValue + QStringLiteral(" / ") + shortValue;
}

bool isBold(char style) { return style == '1' || style == '3'; }
bool isUnderlined(char style) { return style == '2' || style == '3'; }

class Parser
{
public:
    Parser(const QString &text, QChar separator) : m_text(text), m_separator(separator) {}
    bool atEnd() const { return m_pos >= m_text.size(); }
    int line() const { return m_line; }
    // The fields of the next record; false with a problem on broken quoting.
    bool next(QStringList *fields, InputProblem *problem);

private:
    bool endOfLine();
    const QString &m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
    int m_line = 1;
};

bool Parser::endOfLine()
{
    if (atEnd())
        return true;
    const QChar c = m_text.at(m_pos);
    if (c == u'\r') {
        ++m_pos;
        if (!atEnd() && m_text.at(m_pos) == u'\n')
            ++m_pos;
    } else if (c == u'\n') {
        ++m_pos;
    } else {
        return false;
    }
    ++m_line;
    return true;
}

bool Parser::next(QStringList *fields, InputProblem *problem)
{
    fields->clear();
    for (;;) {
        QString field;
        if (!atEnd() && m_text.at(m_pos) == u'"') {
            const int opened = m_line;
            ++m_pos;
            for (;;) {
                if (atEnd()) {
                    *problem = {opened, QStringLiteral("le virgolette aperte qui non si chiudono più")};
                    return false;
                }
                const QChar c = m_text.at(m_pos);
                if (c == u'"') {
                    if (m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == u'"') {
                        field.append(u'"');
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                if (c == u'\n' || (c == u'\r' && !(m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == u'\n')))
                    ++m_line;
                field.append(c);
                ++m_pos;
            }
            if (!atEnd() && m_text.at(m_pos) != m_separator && m_text.at(m_pos) != u'\r' && m_text.at(m_pos) != u'\n') {
                *problem = {m_line, QStringLiteral("dopo le virgolette di chiusura manca il separatore")};
                return false;
            }
        } else {
            const qsizetype start = m_pos;
            while (!atEnd() && m_text.at(m_pos) != m_separator && m_text.at(m_pos) != u'\r'
                   && m_text.at(m_pos) != u'\n')
                ++m_pos;
            field = m_text.mid(start, m_pos - start);
        }
        fields->append(field);
        if (endOfLine())
            return true;
        ++m_pos; // the separator
    }
}

// The separator is the one of comma and semicolon that the first line has more of outside quotes.
QChar guessSeparator(const QString &text)
{
    int commas = 0, semicolons = 0;
    bool inQuotes = false;
    for (const QChar c : text) {
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (!inQuotes && (c == u'\n' || c == u'\r'))
            break;
        else if (!inQuotes && c == u',')
            ++commas;
        else if (!inQuotes && c == u';')
            ++semicolons;
    }
    return semicolons > commas ? QChar(u';') : QChar(u',');
}

// "sì", "no", "sì / no": the long cell's value and the short cell's.
bool parsePair(const QString &field, QString *longValue, QString *shortValue)
{
    const QStringList parts = field.split(u'/');
    if (parts.size() > 2)
        return false;
    *longValue = parts.at(0).trimmed().toLower();
    *shortValue = parts.value(parts.size() - 1).trimmed().toLower();
    return true;
}

std::optional<bool> parseYes(const QString &value)
{
    static const QStringList yes{QStringLiteral("sì"), QStringLiteral("si"), QStringLiteral("1"),
                                 QStringLiteral("x"), QStringLiteral("vero")};
    static const QStringList no{QString(), QStringLiteral("no"), QStringLiteral("0"), QStringLiteral("falso")};
    if (yes.contains(value))
        return true;
    if (no.contains(value))
        return false;
    return std::nullopt;
}

std::optional<char> parseColour(const QString &value)
{
    if (value.isEmpty())
        return '0';
    for (char code = '0'; code <= '5'; ++code) {
        if (value == colourNameOfCode(code).toLower())
            return code;
    }
    return std::nullopt;
}

char styleOf(bool bold, bool underline)
{
    return static_cast<char>('0' + (bold ? 1 : 0) + (underline ? 2 : 0));
}

class TableReader
{
public:
    TableReader(QVector<RowEntry> *entries, QStringList *notes) : m_entries(entries), m_notes(notes) {}
    bool readHeader(const QStringList &fields);
    bool add(const QStringList &fields, int line, InputProblem *problem);

private:
    QString field(const QStringList &fields, Column column) const;
    void readFormat(const QStringList &fields, int line, RowEntry *entry);
    std::array<int, ColumnCount> m_columns{};
    bool m_named = false;
    QVector<RowEntry> *m_entries;
    QStringList *m_notes;
};

bool TableReader::readHeader(const QStringList &fields)
{
    m_columns.fill(-1);
    int found = 0;
    for (int i = 0; i < fields.size(); ++i) {
        int column = ColumnCount - 1;
        while (column >= 0 && columnNames().at(column).compare(fields.at(i).trimmed(), Qt::CaseInsensitive) != 0)
            --column;
        if (column >= 0 && m_columns[static_cast<std::size_t>(column)] < 0) {
            m_columns[static_cast<std::size_t>(column)] = i;
            ++found;
        }
    }
    m_named = found >= 2 && (m_columns[LongText] >= 0 || m_columns[ShortText] >= 0);
    if (!m_named) {
        m_columns.fill(-1);
        m_columns[LongText] = 0;
        m_columns[ShortText] = 1;
    }
    return m_named;
}

QString TableReader::field(const QStringList &fields, Column column) const
{
    const int index = m_columns[static_cast<std::size_t>(column)];
    return index >= 0 ? fields.value(index) : QString();
}

bool TableReader::add(const QStringList &fields, int line, InputProblem *problem)
{
    if (!m_named) {
        for (int i = 2; i < fields.size(); ++i) {
            if (!fields.at(i).trimmed().isEmpty()) {
                *problem = {line, QStringLiteral("la riga ha %1 colonne; la Rubrica legge le sue esportazioni "
                                                 "(colonne %2) oppure tabelle di due colonne (testo lungo, "
                                                 "testo breve)")
                                      .arg(fields.size()).arg(columnNames().join(QStringLiteral(", ")))};
                return false;
            }
        }
    }
    RowEntry entry;
    entry.line = line;
    entry.longCell.text = fromFormulaSafe(field(fields, LongText));
    entry.shortCell.text = fromFormulaSafe(field(fields, ShortText));
    if (m_named) {
        const QString folder = field(fields, Folder).trimmed();
        entry.sheet = FolderNames::sheetOf(folder);
        if (entry.sheet < 0 && !folder.isEmpty())
            m_notes->append(QStringLiteral("Riga %1 del file: la cartella «%2» non esiste; la voce va nella "
                                           "cartella della sua iniziale.").arg(line).arg(folder));
        bool isNumber = false;
        const int row = field(fields, Row).trimmed().toInt(&isNumber);
        entry.row = entry.sheet >= 0 && isNumber && row >= 1 && row <= RowsPerSheet ? row : 0;
        readFormat(fields, line, &entry);
    }
    const bool blank = fields.size() == 1 && fields.at(0).isEmpty();
    if (!blank)
        m_entries->append(entry);
    return true;
}

void TableReader::readFormat(const QStringList &fields, int line, RowEntry *entry)
{
    QString boldLong, boldShort, underLong, underShort, colourLong, colourShort;
    const bool formatRead = parsePair(field(fields, Bold), &boldLong, &boldShort)
        && parsePair(field(fields, Underline), &underLong, &underShort)
        && parsePair(field(fields, Colour), &colourLong, &colourShort);
    const auto bl = parseYes(boldLong), bs = parseYes(boldShort);
    const auto ul = parseYes(underLong), us = parseYes(underShort);
    const auto cl = parseColour(colourLong), cs = parseColour(colourShort);
    if (!formatRead || !bl || !bs || !ul || !us || !cl || !cs)
        m_notes->append(QStringLiteral("Riga %1 del file: grassetto, sottolineato o colore non "
                                       "riconosciuti; il testo è importato senza.").arg(line));
    entry->longCell.style = styleOf(bl.value_or(false), ul.value_or(false));
    entry->shortCell.style = styleOf(bs.value_or(false), us.value_or(false));
    entry->longCell.colour = cl.value_or('0');
    entry->shortCell.colour = cs.value_or('0');
}

} // namespace

QString formulaSafe(const QString &text)
{
    return looksLikeFormula(text) ? u'\'' + text : text;
}

QString fromFormulaSafe(const QString &text)
{
    return text.startsWith(u'\'') && looksLikeFormula(text) ? text.mid(1) : text;
}

QByteArray write(const QVector<RowEntry> &rows)
{
    QString text = columnNames().join(u',') + QStringLiteral("\r\n");
    for (const RowEntry &row : rows) {
        const char ls = row.longCell.style, ss = row.shortCell.style;
        const QStringList fields{
            FolderNames::caption(row.sheet),
            QString::number(row.row),
            quoted(formulaSafe(row.longCell.text)),
            quoted(formulaSafe(row.shortCell.text)),
            pair(yesNo(isBold(ls)), yesNo(isBold(ss))),
            pair(yesNo(isUnderlined(ls)), yesNo(isUnderlined(ss))),
            pair(colourNameOfCode(row.longCell.colour), colourNameOfCode(row.shortCell.colour)),
        };
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool read(const QByteArray &bytes, QVector<RowEntry> *entries, QStringList *notes, InputProblem *problem)
{
    QByteArray checked = bytes;
    QString text;
    if (!InputText::checkBytes(&checked, problem) || !InputText::decodeUtf8(checked, 1, &text, problem))
        return false;
    Parser parser(text, guessSeparator(text));
    TableReader table(entries, notes);
    QStringList fields;
    bool first = true;
    while (!parser.atEnd()) {
        const int line = parser.line();
        if (!parser.next(&fields, problem))
            return false;
        if (first && table.readHeader(fields)) {
            first = false;
            continue;
        }
        first = false;
        if (!table.add(fields, line, problem))
            return false;
    }
    return true;
}

} // namespace Csv
