#pragma once

#include "storage/JournalFile.h"
#include "storage/RowRecord.h"
#include "storage/RecordFile.h"
#include "storage/StoreError.h"
#include "storage/StoreLocation.h"
#include "storage/StoreRecovery.h"

#include <QByteArray>
#include <QString>

#include <memory>

// The store file rubri.dat: 1936 records of 146 bytes, 44 sheets of 44 rows, opened once
// and kept open while the window lives. Each save first puts what it overwrites in a journal
// beside the store (rubri.dat-journal), so that a crash or a power cut in the middle of it
// leaves a sheet that opening the store makes whole again.
class SheetStore
{
public:
    SheetStore();
    ~SheetStore();
    SheetStore(const SheetStore &) = delete;
    SheetStore &operator=(const SheetStore &) = delete;

    // Writes a store when no file is at `path`: `contents`, or empty records when it is empty.
    // An existing file, whatever its size, is left as it is; a folder at `path` is left for
    // open() to report. The new store appears whole or not at all.
    static bool createIfMissing(const QString &path, StoreError *error, const QByteArray &contents = QByteArray());

    // Opening also settles the journal of a save that did not finish; recovery() tells how.
    bool open(const QString &path);
    // Without a journal file, saves are not journalled.
    bool open(std::unique_ptr<RecordFile> file, const QString &pathForMessages,
              std::unique_ptr<JournalFile> journal = nullptr);
    void close();
    bool isOpen() const;

    // Record 1..1936. What lies beyond the end of a short file reads as the empty record.
    // False only when the file could not be read.
    bool read(int recordNumber, RowRecord *record);
    // Records first..first + count - 1 in one read of the file, count × 146 bytes into
    // `records`; records beyond the end of a short file read as read() gives them. For a
    // caller that goes through many records at once. False when the file could not be read.
    bool readRange(int firstRecord, int count, QByteArray *records);
    // The record number of the last successful read, 0 before any.
    int lastRecordRead() const;

    // The 44 records of sheet 0..43 (encodeSheet's output), written in one go. On failure the
    // bytes and the size the file had before are put back, and error().fileUnchanged says
    // whether the file reads back as it was. A journal that cannot be written or removed
    // fails the save too.
    bool writeSheet(int sheet, const QByteArray &records);

    StoreError error() const;
    // What the last open() found of an interrupted save.
    const StoreRecovery &recovery() const;

    QString path() const;
    // Whether the path still names the open file; checked before every save.
    StoreLocation location();
    // Lets go of the open file for the one now at the path. When there is none, a copy of the
    // open file is made there first: a store deleted under the program still lives in it.
    // On failure the open file stays and error() says why.
    bool reopenAtPath();
    // Every byte of the open file, for a backup copy.
    bool readWholeFile(QByteArray *contents);

private:
    bool fail(StoreError::Operation operation, const QString &reason);
    StoreRecovery settleJournal();
    QString journalReason(const char *what) const;

    std::unique_ptr<RecordFile> m_file;
    std::unique_ptr<JournalFile> m_journal;
    StoreRecovery m_recovery;
    QString m_path;
    int m_lastRecordRead = 0;
    StoreError m_error;
};
