#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

class RecordFile;

// What one save of a sheet overwrites, kept in a file beside the store until the new bytes
// are on the disk. A save writes one contiguous range of the store (the sheet, preceded by
// empty records when the store was short); the journal holds the bytes that range held, the
// store's size, and a digest of what the save writes there, so that after a crash the range
// can be told whole-new from anything else.
struct SaveJournal
{
    int sheet = 0;
    qint64 oldFileSize = 0;
    qint64 writtenStart = 0;
    qint64 writtenLength = 0;
    QByteArray oldBytes;   // the store's bytes from writtenStart, up to its old end
    QByteArray newDigest;  // digest() of the bytes the save writes

    QByteArray encode() const;
    // nullopt for anything encode() did not make whole: a journal torn by a crash while it
    // was written, before the store was touched.
    static std::optional<SaveJournal> decode(const QByteArray &bytes);
    static QByteArray digest(const QByteArray &bytes);

    // Whether the store holds exactly what the save wrote. False when it cannot be read.
    bool saveIsWhole(RecordFile &store, bool *whole) const;
    // Puts the old bytes and size back, flushed.
    bool undo(RecordFile &store) const;
};
