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

    QString message() const;
};
