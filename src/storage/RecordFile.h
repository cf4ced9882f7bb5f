#pragma once

#include "storage/StoreLocation.h"

#include <QString>
#include <QtGlobal>

// Random access to the bytes of an open file. The store works only through this, so that
// tests can put a file that fails at a chosen moment in place of the real one.
class RecordFile
{
public:
    virtual ~RecordFile();

    // Reads up to `size` bytes at `offset`; `*got` receives how many were there (fewer at
    // the end of the file, which is not a failure).
    virtual bool readAt(qint64 offset, char *data, qint64 size, qint64 *got) = 0;
    // Writes all `size` bytes at `offset`, growing the file when needed.
    virtual bool writeAt(qint64 offset, const char *data, qint64 size) = 0;
    // Pushes written data to the disk.
    virtual bool flush() = 0;
    // The file's size in bytes, or -1 on failure.
    virtual qint64 size() = 0;
    virtual bool resize(qint64 size) = 0;
    // Italian text of the last failure, for a message to the user.
    virtual QString errorReason() const = 0;
    // Whether `path` still names this open file. A file that cannot tell answers Same.
    virtual StoreLocation locationAt(const QString &path);
};
