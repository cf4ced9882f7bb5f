#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// A search text as the search compares it with the cells. Blanks, full stops, slashes and
// hyphens do not count on either side, so "12.34" finds "12/3 4"; capitals and small letters,
// accented ones included, are equal, so "CITTÀ" finds "città".
class SearchText
{
public:
    explicit SearchText(const QString &boxText);

    // The box's text reduced for comparing. Empty when the box held only blanks, full stops,
    // slashes and hyphens: such a text is found in every cell that holds anything else.
    const QString &key() const { return m_key; }

    // Whether the text of a cell contains the key. An empty cell contains nothing.
    bool foundIn(QStringView cellText) const;
    // The same for a text field as the store holds it: one byte per character in the ANSI
    // code page, blank-padded, ended by its first NUL. At most 100 bytes are looked at.
    bool foundInField(const char *field, int length) const;

    // `text` without blanks, full stops, slashes and hyphens, in capitals.
    static QString comparable(QStringView text);

private:
    bool foundInComparable(const char16_t *text, qsizetype length) const;
    bool mayBeInField(const char *field, int length) const;

    QString m_key;
    // For each of the key's least common characters (up to three), the bytes of a store field
    // that compare as it. A field that lacks one of them cannot contain the key, and most
    // fields are ruled out that way without being read in full.
    QList<QByteArray> m_lookOuts;
    bool m_neverInField = false; // some character of the key has no byte in the code page
};
