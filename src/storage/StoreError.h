#pragma once

#include <QString>

// Why the store could not be created, opened, read or written, told to the user in a
// message box whose lines are separated by carriage returns.
struct StoreError
{
    enum Operation { Create, Open, Read, Write };

    Operation operation = Open;
    QString path;
    QString reason;          // short Italian reason, without a final full stop
    bool fileUnchanged = true; // a failed write was undone (Write only)
    bool sheetWritten = false; // the sheet is on the disk whole; what failed came after (Write only)

    // What failed, on which file, and why; the program goes on.
    QString description() const;
    // At start-up, when the program cannot go on without the store.
    QString message() const;
    // When a save failed while the program runs: what became of the file, and the choice
    // between "Riprova" and "Annulla", after which the sheet stays as the user left it.
    QString saveMessage() const;
};
