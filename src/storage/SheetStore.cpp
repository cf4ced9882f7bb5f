#include "storage/SheetStore.h"

#include "storage/NativeRecordFile.h"
#include "storage/SaveJournal.h"
#include "storage/SystemErrorText.h"

#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace {

constexpr qint64 SheetBytes = qint64(RowsPerSheet) * RecordLength;

// QSaveFile reports failures in English; the system's error code, read right after the
// failing call, gives the Italian reason.
QString reasonAfterSaveFailure(int code)
{
    if (code != 0)
        return SystemErrorText::reason(code);
    return QStringLiteral("errore di scrittura sul disco");
}

} // namespace

SheetStore::SheetStore() = default;

SheetStore::~SheetStore() = default;

bool SheetStore::createIfMissing(const QString &path, StoreError *error, const QByteArray &contents)
{
    if (QFileInfo::exists(path))
        return true;

    const auto failed = [&](int code) {
        if (error) {
            error->operation = StoreError::Create;
            error->path = path;
            error->reason = reasonAfterSaveFailure(code);
        }
        return false;
    };

    QSaveFile file(path);
    // Never write in place: a store cut short by a full disk must not be left behind.
    file.setDirectWriteFallback(false);
    SystemErrorText::clearLast();
    if (!file.open(QIODevice::WriteOnly))
        return failed(SystemErrorText::lastCode());

    QByteArray bytes = contents;
    if (bytes.isEmpty()) {
        const RowRecord empty;
        bytes.reserve(StoreSize);
        for (int n = 1; n <= RecordCount; ++n)
            bytes.append(empty.constData(), RecordLength);
    }

    SystemErrorText::clearLast();
    if (file.write(bytes) != bytes.size()) {
        const int code = SystemErrorText::lastCode();
        file.cancelWriting();
        return failed(code);
    }
    SystemErrorText::clearLast();
    if (!file.commit())
        return failed(SystemErrorText::lastCode());
    return true;
}

bool SheetStore::open(const QString &path)
{
    close();
    QString reason;
    std::unique_ptr<NativeRecordFile> file = NativeRecordFile::open(path, &reason);
    if (!file) {
        m_path = path;
        return fail(StoreError::Open, reason);
    }
    return open(std::move(file), path, nativeJournalFile(journalPathFor(path)));
}

bool SheetStore::open(std::unique_ptr<RecordFile> file, const QString &pathForMessages,
                      std::unique_ptr<JournalFile> journal)
{
    close();
    m_path = pathForMessages;
    if (!file)
        return fail(StoreError::Open, QStringLiteral("il file non è disponibile"));
    m_file = std::move(file);
    m_journal = std::move(journal);
    m_recovery = settleJournal();
    return true;
}

void SheetStore::close()
{
    m_file.reset();
    m_journal.reset();
    m_recovery = StoreRecovery();
    m_lastRecordRead = 0;
}

const StoreRecovery &SheetStore::recovery() const
{
    return m_recovery;
}

QString SheetStore::journalReason(const char *what) const
{
    return QStringLiteral("non è stato possibile %1 il file di sicurezza %2 (%3)")
        .arg(QLatin1String(what), m_journal->name(), m_journal->errorReason());
}

// A whole journal means the save it belongs to may have torn its sheet: the sheet goes back to
// what the journal holds unless the store has every byte the save meant to write. A save that
// reached the disk whole is kept, since the user was about to be told it was saved; only a
// sheet that is neither old nor new is never left. A torn journal is from before the store was
// touched, and goes without a word.
StoreRecovery SheetStore::settleJournal()
{
    StoreRecovery result;
    if (!m_journal)
        return result;
    const auto failed = [&result](const QString &reason) {
        result.outcome = StoreRecovery::Failed;
        result.reason = reason;
        return result;
    };
    QByteArray bytes;
    switch (m_journal->read(&bytes)) {
    case JournalFile::Found::None:
        return result;
    case JournalFile::Found::Unreadable:
        return failed(journalReason("leggere"));
    case JournalFile::Found::Journal:
        break;
    }
    if (const std::optional<SaveJournal> journal = SaveJournal::decode(bytes)) {
        bool whole = false;
        if (!journal->saveIsWhole(*m_file, &whole) || (!whole && !journal->undo(*m_file)))
            return failed(QStringLiteral("non è stato possibile rimettere il foglio com'era (%1)")
                              .arg(m_file->errorReason()));
        result.outcome = whole ? StoreRecovery::KeptNew : StoreRecovery::PutBack;
        result.sheet = journal->sheet;
    }
    if (!m_journal->remove())
        return failed(journalReason("eliminare"));
    return result;
}

bool SheetStore::isOpen() const
{
    return m_file != nullptr;
}

bool SheetStore::read(int recordNumber, RowRecord *record)
{
    if (!m_file)
        return fail(StoreError::Read, QStringLiteral("l'archivio non è aperto"));
    if (recordNumber < 1 || recordNumber > RecordCount)
        return fail(StoreError::Read, QStringLiteral("record %1 inesistente").arg(recordNumber));

    char buffer[RecordLength];
    qint64 got = 0;
    const qint64 offset = qint64(recordNumber - 1) * RecordLength;
    if (!m_file->readAt(offset, buffer, RecordLength, &got))
        return fail(StoreError::Read, m_file->errorReason());
    *record = RowRecord::fromBytes(buffer, got);
    m_lastRecordRead = recordNumber;
    return true;
}

bool SheetStore::readRange(int firstRecord, int count, QByteArray *records)
{
    if (!m_file)
        return fail(StoreError::Read, QStringLiteral("l'archivio non è aperto"));
    const int lastRecord = firstRecord + count - 1;
    if (firstRecord < 1 || count < 0 || lastRecord > RecordCount)
        return fail(StoreError::Read, QStringLiteral("record da %1 a %2 inesistenti").arg(firstRecord).arg(lastRecord));

    const qint64 size = qint64(count) * RecordLength;
    records->resize(size);
    qint64 got = 0;
    if (size > 0 && !m_file->readAt(qint64(firstRecord - 1) * RecordLength, records->data(), size, &got))
        return fail(StoreError::Read, m_file->errorReason());
    // The missing tail takes the empty record's bytes at the same places, as in read().
    if (got < size) {
        const RowRecord empty;
        for (qint64 position = got; position < size; ++position)
            (*records)[position] = empty.constData()[position % RecordLength];
    }
    if (count > 0)
        m_lastRecordRead = lastRecord;
    return true;
}

int SheetStore::lastRecordRead() const
{
    return m_lastRecordRead;
}

bool SheetStore::writeSheet(int sheet, const QByteArray &records)
{
    if (!m_file)
        return fail(StoreError::Write, QStringLiteral("l'archivio non è aperto"));
    if (sheet < 0 || sheet >= SheetCount || records.size() != SheetBytes)
        return fail(StoreError::Write, QStringLiteral("dati del foglio non validi"));
    // A journal left by a save whose removal failed, or by one whose undo could not be done.
    const StoreRecovery leftOver = settleJournal();
    if (leftOver.outcome == StoreRecovery::Failed)
        return fail(StoreError::Write, leftOver.reason);

    const qint64 offset = sheet * SheetBytes;
    const qint64 oldSize = m_file->size();
    if (oldSize < 0)
        return fail(StoreError::Write, m_file->errorReason());
    // What is there now, so that a failed write can be undone. A short file has fewer bytes
    // here, or none; the resize below takes care of what lies beyond its old end.
    QByteArray previous(SheetBytes, '\0');
    qint64 previousSize = 0;
    if (!m_file->readAt(offset, previous.data(), SheetBytes, &previousSize))
        return fail(StoreError::Write, m_file->errorReason());

    // Saving past the end of a short file: the records in between would read back as zero
    // bytes, unknown codes that keep the look of the cell above. Fill them as empty records,
    // in the same write as the sheet.
    qint64 start = offset;
    QByteArray data = records;
    if (oldSize < offset) {
        const QByteArray empty = RowRecord().bytes();
        QByteArray filler(offset - oldSize, ' ');
        for (qint64 position = oldSize; position < offset; ++position)
            filler[position - oldSize] = empty.at(position % RecordLength);
        data.prepend(filler);
        start = oldSize;
    }

    if (m_journal) {
        SaveJournal journal;
        journal.sheet = sheet;
        journal.oldFileSize = oldSize;
        journal.writtenStart = start;
        journal.writtenLength = data.size();
        journal.oldBytes = previous.left(previousSize);
        journal.newDigest = SaveJournal::digest(data);
        if (!m_journal->write(journal.encode())) {
            const QString reason = journalReason("scrivere");
            // Whatever part of it reached the disk describes a store that was not touched.
            m_journal->remove();
            return fail(StoreError::Write, reason);
        }
    }

    if (m_file->writeAt(start, data.constData(), data.size()) && m_file->flush()) {
        // Not flushing the folder after the removal is safe: a journal that comes back after a
        // power cut finds the whole new sheet, which recovery keeps.
        if (!m_journal || m_journal->remove())
            return true;
        fail(StoreError::Write, journalReason("eliminare"));
        m_error.sheetWritten = true;
        return false;
    }

    const QString reason = m_file->errorReason();
    // Putting the old bytes back may fail where the write failed (past a size limit), over
    // bytes the write never reached; so the user is told the file is as it was when it reads
    // back so, whatever the restoring writes said.
    m_file->writeAt(offset, previous.constData(), previousSize);
    const qint64 sizeNow = m_file->size();
    if (sizeNow < 0 || sizeNow > oldSize)
        m_file->resize(oldSize);
    QByteArray check(SheetBytes, '\0');
    qint64 checked = 0;
    const bool restored = m_file->flush() && m_file->size() == oldSize
        && m_file->readAt(offset, check.data(), SheetBytes, &checked) && checked == previousSize
        && check.left(checked) == previous.left(previousSize);
    // A file not known to be as it was keeps its journal, so that the next save or start puts
    // the sheet back.
    if (restored && m_journal)
        m_journal->remove();
    fail(StoreError::Write, reason);
    m_error.fileUnchanged = restored;
    return false;
}

StoreError SheetStore::error() const
{
    return m_error;
}

bool SheetStore::fail(StoreError::Operation operation, const QString &reason)
{
    m_error = StoreError();
    m_error.operation = operation;
    m_error.path = m_path;
    m_error.reason = reason;
    return false;
}

QString SheetStore::path() const
{
    return m_path;
}

StoreLocation SheetStore::location()
{
    return m_file ? m_file->locationAt(m_path) : StoreLocation::Same;
}

bool SheetStore::reopenAtPath()
{
    QByteArray kept;
    if (location() == StoreLocation::Missing && !readWholeFile(&kept))
        return false;
    StoreError error;
    if (!createIfMissing(m_path, &error, kept)) {
        m_error = error;
        return false;
    }
    QString reason;
    std::unique_ptr<NativeRecordFile> file = NativeRecordFile::open(m_path, &reason);
    if (!file)
        return fail(StoreError::Open, reason);
    // Only now is the old file let go: a failed open leaves the store as it was.
    m_file = std::move(file);
    m_lastRecordRead = 0;
    return true;
}

bool SheetStore::readWholeFile(QByteArray *contents)
{
    if (!m_file)
        return fail(StoreError::Read, QStringLiteral("l'archivio non è aperto"));
    const qint64 size = m_file->size();
    if (size < 0)
        return fail(StoreError::Read, m_file->errorReason());
    QByteArray bytes(size, '\0');
    qint64 got = 0;
    if (!m_file->readAt(0, bytes.data(), size, &got))
        return fail(StoreError::Read, m_file->errorReason());
    bytes.truncate(got);
    *contents = bytes;
    return true;
}
