#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// One row of a sheet as the store file holds it: 146 bytes, no header, no separator.
//   0..99 longText, 100..139 shortText, 140 Stile1, 141 Stile2, 142 Riserva1, 143 Riserva2,
//   144 Colore1, 145 Colore2.
constexpr int RecordLength = 146;
constexpr int LongTextLength = 100;
constexpr int ShortTextLength = 40;
constexpr int SheetCount = 44;
constexpr int RowsPerSheet = 44;
constexpr int RecordCount = SheetCount * RowsPerSheet;         // 1936
constexpr qint64 StoreSize = qint64(RecordCount) * RecordLength; // 282656

class RowRecord
{
public:
    // The empty record: both texts blank, plain, black, reserved fields "0".
    RowRecord();

    // Bytes beyond `size` keep the empty record's bytes, so a record cut short by the end
    // of the file reads as empty, plain and black where it is missing.
    static RowRecord fromBytes(const char *data, qsizetype size);
    QByteArray bytes() const;
    const char *constData() const { return m_bytes.data(); }

    // The text before the first NUL, trailing blanks removed, leading blanks kept.
    QString longText() const;
    QString shortText() const;
    // Cut to the field and padded with blanks.
    void setLongText(const QString &text);
    void setShortText(const QString &text);

    char Stile1() const { return m_bytes[140]; }
    char Stile2() const { return m_bytes[141]; }
    char Riserva1() const { return m_bytes[142]; }
    char Riserva2() const { return m_bytes[143]; }
    char Colore1() const { return m_bytes[144]; }
    char Colore2() const { return m_bytes[145]; }
    void setStile1(char code) { m_bytes[140] = code; }
    void setStile2(char code) { m_bytes[141] = code; }
    void setRiserva1(char code) { m_bytes[142] = code; }
    void setRiserva2(char code) { m_bytes[143] = code; }
    void setColore1(char code) { m_bytes[144] = code; }
    void setColore2(char code) { m_bytes[145] = code; }

    bool operator==(const RowRecord &other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const RowRecord &other) const { return m_bytes != other.m_bytes; }

private:
    QString text(int offset, int length) const;
    void setText(int offset, int length, const QString &text);

    std::array<char, RecordLength> m_bytes;
};

// Record numbers run from 1 (sheet 0, row 1) to 1936 (sheet 43, row 44); rows are 1..44.
constexpr int recordNumber(int sheet, int row) { return sheet * RowsPerSheet + row; }
constexpr int sheetOfRecord(int n) { return (n - 1) / RowsPerSheet; }
constexpr int rowOfRecord(int n) { return n - RowsPerSheet * ((n - 1) / RowsPerSheet); }

struct CellFont
{
    bool bold = false;
    bool underline = false;
    bool operator==(const CellFont &other) const
    {
        return bold == other.bold && underline == other.underline;
    }
};

// Style codes "0".."3"; any other byte has no meaning and gives nullopt.
std::optional<CellFont> fontFromStyleCode(char code);
char styleCodeFromFont(CellFont font);

// Colour codes "0".."5" and the six text colours (Windows values 0x00BBGGRR).
std::optional<quint32> colourFromCode(char code);
std::optional<char> codeFromColour(quint32 colour);
// The Italian name of colour code "0".."5", as the palette's squares are called; empty for
// any other byte.
QString colourNameOfCode(char code);
