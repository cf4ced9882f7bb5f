#pragma once

#include "storage/RowRecord.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class SheetStore;

// One cell as the exchange formats carry it: the text as the cell shows it, and the record's
// style and colour codes ("0".."3", "0".."5").
struct CellEntry
{
    QString text;
    char style = '0';
    char colour = '0';
};

// One row of the address book on its way out, or one entry of a file on its way in. An entry
// read from a file names its folder and row only when the file says them (sheet -1, row 0
// otherwise), and the file's line it began on.
struct RowEntry
{
    int sheet = -1;
    int row = 0;
    CellEntry longCell, shortCell;
    int line = 0;
};

// All 1936 records of the store in one piece, as the store reads them in one go.
class BookImage
{
public:
    BookImage(); // the empty store
    // Bytes beyond the end of a short file read as empty records, as the store reads them.
    static BookImage fromBytes(const QByteArray &bytes);
    // Reads the whole open store; false with the store's Italian reason.
    static bool read(SheetStore &store, BookImage *image, QString *reason);
    // Reads a store file without opening it for writing; false with an Italian reason.
    static bool readFile(const QString &path, BookImage *image, QString *reason);

    const QByteArray &bytes() const { return m_bytes; }
    RowRecord record(int sheet, int row) const;
    void setRecord(int sheet, int row, const RowRecord &record);
    // The 44 records of one sheet, ready for SheetStore::writeSheet.
    QByteArray sheetBytes(int sheet) const;
    // A row with no text in either cell; what formatting it has is not worth keeping.
    bool rowIsFree(int sheet, int row) const;

    RowEntry entry(int sheet, int row) const;
    // The rows worth exporting of the given sheets, in the book's order: every row that is not
    // the plain empty record (a formatted row without text keeps its formatting).
    QVector<RowEntry> entries(const QVector<int> &sheets) const;

private:
    QByteArray m_bytes;
};

// The record an entry becomes: texts cut to the fields, the codes as they are.
RowRecord recordOf(const RowEntry &entry);

// Every sheet, 0..43.
QVector<int> allSheets();
