#pragma once

#include "storage/RecordFile.h"

#include <QByteArray>

#include <algorithm>
#include <limits>

// A store file in memory. A disk filling up mid-save stops its first write after writeBudget bytes
// (with failAlways later writes, the undo too, take nothing); or its first flush fails.
struct MemoryRecordFile : RecordFile
{
    explicit MemoryRecordFile(QByteArray *file) : bytes(file) {}
    bool readAt(qint64 offset, char *data, qint64 size, qint64 *got) override
    {
        const QByteArray part = bytes->mid(offset, size);
        *got = std::copy(part.begin(), part.end(), data) - data;
        return true;
    }
    bool writeAt(qint64 offset, const char *data, qint64 size) override
    {
        const qint64 count = writes++ == 0 ? std::min(size, writeBudget) : failAlways ? 0 : size;
        *bytes = bytes->leftJustified(offset + count, '\0').replace(offset, count, QByteArray(data, count));
        return count == size;
    }
    bool flush() override { return !(flushFails && flushes++ == 0); }
    qint64 size() override { return bytes->size(); }
    bool resize(qint64 size) override
    {
        bytes->resize(size);
        return true;
    }
    QString errorReason() const override { return QStringLiteral("disco pieno"); }

    QByteArray *bytes;
    qint64 writeBudget = std::numeric_limits<qint64>::max();
    bool failAlways = false, flushFails = false;
    int writes = 0, flushes = 0;
};
