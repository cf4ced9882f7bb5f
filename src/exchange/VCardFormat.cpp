#include "exchange/VCardFormat.h"

#include "exchange/FolderNames.h"

#include <QStringDecoder>

namespace VCard {

namespace {

constexpr int MaxLineOctets = 75;

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u',' || c == u';')
            out.append(u'\\');
        if (c == u'\n') {
            out.append(QStringLiteral("\\n"));
            continue;
        }
        out.append(c);
    }
    return out;
}

// Continuation lines begin with one blank, which counts towards their 75 octets; a UTF-8
// sequence is never split.
void appendFolded(QByteArray *out, const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    qsizetype start = 0;
    int limit = MaxLineOctets;
    while (bytes.size() - start > limit) {
        qsizetype end = start + limit;
        while ((static_cast<unsigned char>(bytes.at(end)) & 0xC0) == 0x80)
            --end;
        out->append(bytes.constData() + start, end - start);
        out->append("\r\n ");
        start = end;
        limit = MaxLineOctets - 1;
    }
    out->append(bytes.constData() + start, bytes.size() - start);
    out->append("\r\n");
}

struct Property
{
    QByteArray name;
    QList<QByteArray> params; // upper case
    QByteArray value;
    int line = 0;

    QByteArray param(QByteArrayView key) const
    {
        for (const QByteArray &p : params) {
            if (p.size() > key.size() && p.at(key.size()) == '=' && p.startsWith(key))
                return p.mid(key.size() + 1);
        }
        return QByteArray();
    }
    bool isQuotedPrintable() const
    {
        return !params.isEmpty() && (params.contains(QByteArrayView("QUOTED-PRINTABLE")) || param("ENCODING") == "QUOTED-PRINTABLE");
    }
    bool isBinary() const
    {
        if (params.isEmpty())
            return false;
        const QByteArray encoding = param("ENCODING");
        return params.contains(QByteArrayView("BASE64")) || encoding == "B" || encoding == "BASE64";
    }
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "=C3=A8" is one byte each; an "=" without two hex digits stays as written.
QByteArray fromQuotedPrintable(const QByteArray &value)
{
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const int high = value.at(i) == '=' && i + 2 < value.size() ? hexValue(value.at(i + 1)) : -1;
        const int low = high >= 0 ? hexValue(value.at(i + 2)) : -1;
        if (low >= 0) {
            out.append(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            out.append(value.at(i));
        }
    }
    return out;
}

// The escapes of a text value undone: backslash n is a line break, backslash comma a comma.
QString unescaped(const QString &value)
{
    if (!value.contains(u'\\'))
        return value;
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            c = value.at(++i);
            if (c == u'n' || c == u'N')
                c = u'\n';
        }
        out.append(c);
    }
    return out;
}

// Splits at the separators not escaped with a backslash, and undoes the escapes.
QStringList unescapedParts(const QString &value, QChar separator)
{
    QStringList parts(QString{});
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            parts.last().append(next == u'n' || next == u'N' ? QChar(u'\n') : next);
        } else if (c == separator) {
            parts.append(QString());
        } else {
            parts.last().append(c);
        }
    }
    return parts;
}

bool splitProperty(const QByteArray &logical, int line, Property *property, InputProblem *problem)
{
    bool inQuotes = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < logical.size() && colon < 0; ++i) {
        if (logical.at(i) == '"')
            inQuotes = !inQuotes;
        else if (logical.at(i) == ':' && !inQuotes)
            colon = i;
    }
    if (colon < 0) {
        *problem = {line, QStringLiteral("la riga non ha la forma NOME:valore di una scheda vCard")};
        return false;
    }
    QList<QByteArray> head = logical.left(colon).split(';');
    QByteArray name = head.takeFirst().trimmed().toUpper();
    const qsizetype dot = name.lastIndexOf('.');
    property->name = dot >= 0 ? name.mid(dot + 1) : name; // "item1.TEL" is a TEL
    property->params.clear();
    for (const QByteArray &p : head)
        property->params.append(p.trimmed().toUpper());
    property->value = logical.mid(colon + 1);
    property->line = line;
    return true;
}

bool decodeValue(const Property &property, QString *text, InputProblem *problem)
{
    const QByteArray raw = property.isQuotedPrintable() ? fromQuotedPrintable(property.value) : property.value;
    QByteArray charset = property.param("CHARSET");
    if (charset.startsWith('"'))
        charset = charset.mid(1, charset.size() - 2);
    if (charset.isEmpty() || charset == "UTF-8" || charset == "UTF8")
        return InputText::decodeUtf8(raw, property.line, text, problem);
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid()) {
        *problem = {property.line, QStringLiteral("la codifica %1 non è conosciuta").arg(QString::fromLatin1(charset))};
        return false;
    }
    *text = decoder.decode(raw);
    return true;
}

// What one card says, gathered while its lines are read.
struct Card
{
    int line = 0;
    QString fn, n, org, note, email, folder;
    QStringList phones;

    bool finish(RowEntry *entry, QStringList *notes) const
    {
        entry->line = line;
        entry->longCell.text = !fn.trimmed().isEmpty() ? fn : !n.isEmpty() ? n : !org.isEmpty() ? org : email;
        const bool emailUsed = entry->longCell.text == email;
        entry->shortCell.text = !phones.isEmpty() ? phones.first() : !note.isEmpty() ? note : emailUsed ? QString() : email;
        entry->sheet = FolderNames::sheetOf(folder);
        if (phones.size() > 1)
            notes->append(QStringLiteral("Riga %1 del file: «%2» ha %3 numeri di telefono; è importato solo "
                                         "il primo, %4.").arg(QString::number(line), entry->longCell.text,
                                                         QString::number(phones.size()), phones.first()));
        if (entry->longCell.text.isEmpty() && entry->shortCell.text.isEmpty()) {
            notes->append(QStringLiteral("Riga %1 del file: una scheda senza nome né numero, non importata.").arg(line));
            return false;
        }
        return true;
    }
};

bool takeProperty(const Property &property, Card *card, InputProblem *problem)
{
    static const QList<QByteArray> wanted{"FN", "N", "ORG", "TEL", "EMAIL", "NOTE", "CATEGORIES"};
    if (!wanted.contains(property.name) || property.isBinary())
        return true;
    QString value;
    if (!decodeValue(property, &value, problem))
        return false;
    if (property.name == "N") {
        const QStringList parts = unescapedParts(value, u';'); // family;given;additional;prefix;suffix
        card->n = (parts.value(3) + u' ' + parts.value(1) + u' ' + parts.value(2) + u' ' + parts.value(0)
                   + u' ' + parts.value(4)).simplified();
    } else if (property.name == "CATEGORIES") {
        for (const QString &category : unescapedParts(value, u',')) {
            if (card->folder.isEmpty() && FolderNames::sheetOf(category) >= 0)
                card->folder = category;
        }
    } else {
        QString text = unescaped(value);
        if (property.name == "TEL") {
            if (text.startsWith(QStringLiteral("tel:"), Qt::CaseInsensitive))
                text = text.mid(4);
            card->phones.append(text);
        } else if (property.name == "FN") {
            card->fn = text;
        } else if (property.name == "ORG") {
            card->org = unescapedParts(value, u';').join(u' ').simplified();
        } else if (property.name == "EMAIL" && card->email.isEmpty()) {
            card->email = text;
        } else if (property.name == "NOTE" && card->note.isEmpty()) {
            card->note = text;
        }
    }
    return true;
}

} // namespace

bool readsAsPhoneNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    int digits = 0;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if (c.unicode() >= '0' && c.unicode() <= '9')
            ++digits;
        else if (!(c == u' ' || c == u'.' || c == u'/' || c == u'-' || c == u'(' || c == u')' || (c == u'+' && i == 0)))
            return false;
    }
    return digits >= 3;
}

QByteArray write(const QVector<RowEntry> &rows)
{
    QByteArray out;
    out.reserve(rows.size() * 120);
    for (const RowEntry &row : rows) {
        if (row.longCell.text.isEmpty() && row.shortCell.text.isEmpty())
            continue;
        out.append("BEGIN:VCARD\r\nVERSION:4.0\r\n");
        appendFolded(&out, QStringLiteral("FN:") + escaped(row.longCell.text));
        if (!row.shortCell.text.isEmpty()) {
            const bool phone = readsAsPhoneNumber(row.shortCell.text);
            appendFolded(&out, (phone ? QStringLiteral("TEL:") : QStringLiteral("NOTE:")) + escaped(row.shortCell.text));
        }
        appendFolded(&out, QStringLiteral("CATEGORIES:") + escaped(FolderNames::caption(row.sheet)));
        out.append("END:VCARD\r\n");
    }
    return out;
}

bool read(const QByteArray &bytes, QVector<RowEntry> *entries, QStringList *notes, InputProblem *problem)
{
    QByteArray checked = bytes;
    if (!InputText::checkBytes(&checked, problem))
        return false;
    // Physical lines become logical ones: a line that begins with a blank or a tab continues
    // the one before (3.0, 4.0), and so does the line after a quoted-printable "=" (2.1).
    QList<QPair<QByteArray, int>> logical;
    int line = 0;
    bool softBreak = false;
    qsizetype pos = 0;
    while (pos < checked.size()) {
        qsizetype end = pos;
        while (end < checked.size() && checked.at(end) != '\n' && checked.at(end) != '\r')
            ++end;
        const QByteArray physical = checked.mid(pos, end - pos);
        pos = end + ((end + 1 < checked.size() && checked.at(end) == '\r' && checked.at(end + 1) == '\n') ? 2 : 1);
        ++line;
        if (softBreak) {
            logical.last().first.append(physical);
        } else if (!physical.isEmpty() && (physical.at(0) == ' ' || physical.at(0) == '\t')) {
            if (logical.isEmpty()) {
                *problem = {line, QStringLiteral("la riga continua una riga che non c'è (piegatura errata)")};
                return false;
            }
            logical.last().first.append(physical.mid(1));
        } else if (!physical.isEmpty()) {
            logical.append({physical, line});
        }
        softBreak = false;
        if (!logical.isEmpty() && logical.last().first.endsWith('=')) {
            Property head;
            InputProblem ignored;
            softBreak = splitProperty(logical.last().first, 0, &head, &ignored) && head.isQuotedPrintable();
            if (softBreak)
                logical.last().first.chop(1);
        }
    }

    Card card;
    int depth = 0; // a card inside a card (an AGENT) is read as part of the outer one
    for (const auto &[text, number] : logical) {
        Property property;
        if (!splitProperty(text, number, &property, problem)) {
            if (depth == 0)
                problem->what = QStringLiteral("il file non è un file vCard (manca BEGIN:VCARD)");
            return false;
        }
        const bool cardLine = property.name == "BEGIN" || property.name == "END";
        const QByteArray value = cardLine ? property.value.trimmed().toUpper() : QByteArray();
        if (property.name == "BEGIN" && value == "VCARD") {
            if (depth++ == 0)
                card = Card{number, {}, {}, {}, {}, {}, {}, {}};
        } else if (property.name == "END" && value == "VCARD") {
            if (depth == 0) {
                *problem = {number, QStringLiteral("END:VCARD senza BEGIN:VCARD")};
                return false;
            }
            RowEntry entry;
            if (--depth == 0 && card.finish(&entry, notes))
                entries->append(entry);
        } else if (depth == 0) {
            *problem = {number, QStringLiteral("il file non è un file vCard (manca BEGIN:VCARD)")};
            return false;
        } else if (depth == 1 && !takeProperty(property, &card, problem)) {
            return false;
        }
    }
    if (depth > 0) {
        *problem = {card.line, QStringLiteral("la scheda che comincia qui non finisce (manca END:VCARD)")};
        return false;
    }
    return true;
}

} // namespace VCard
