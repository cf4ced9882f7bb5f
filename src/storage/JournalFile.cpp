#include "storage/JournalFile.h"

#include "storage/FolderSync.h"
#include "storage/NativeRecordFile.h"
#include "storage/SystemErrorText.h"

#include <QFile>
#include <QFileInfo>

JournalFile::~JournalFile() = default;

QString journalPathFor(const QString &storePath)
{
    return storePath + QStringLiteral("-journal");
}

namespace {

// Written and flushed through the store's own kind of file, so that each system's way of
// pushing bytes to the disk is the one the store uses. Not hidden: a journal seen beside a
// closed store tells that a save was cut short, and one copied with the store is still used.
class NativeJournalFile final : public JournalFile
{
public:
    explicit NativeJournalFile(const QString &path) : m_path(path) {}

    Found read(QByteArray *contents) override
    {
        QFile file(m_path);
        if (!file.exists())
            return Found::None;
        SystemErrorText::clearLast();
        if (!file.open(QIODevice::ReadOnly))
            return failedRead(SystemErrorText::lastCode());
        // A journal is a few kilobytes; a bigger file is not one, but it is read whole all the
        // same and refused by its checksum.
        *contents = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return failedRead(SystemErrorText::lastCode());
        return Found::Journal;
    }

    bool write(const QByteArray &contents) override
    {
        QFile created(m_path);
        SystemErrorText::clearLast();
        if (!created.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail(SystemErrorText::lastCode());
        created.close();
        QString reason;
        std::unique_ptr<NativeRecordFile> file = NativeRecordFile::open(m_path, &reason);
        if (!file)
            return failWith(reason);
        if (!file->writeAt(0, contents.constData(), contents.size()) || !file->flush())
            return failWith(file->errorReason());
        file.reset();
        if (!syncFolder(QFileInfo(m_path).absolutePath(), &reason))
            return failWith(reason);
        return true;
    }

    bool remove() override
    {
        QFile file(m_path);
        SystemErrorText::clearLast();
        if (file.remove())
            return true;
        const int code = SystemErrorText::lastCode();
        return !file.exists() || fail(code);
    }

    QString errorReason() const override { return m_reason; }
    QString name() const override { return QFileInfo(m_path).fileName(); }

private:
    bool fail(int code)
    {
        return failWith(code != 0 ? SystemErrorText::reason(code) : QStringLiteral("errore di scrittura sul disco"));
    }
    bool failWith(const QString &reason)
    {
        m_reason = reason;
        return false;
    }
    Found failedRead(int code)
    {
        m_reason = code != 0 ? SystemErrorText::reason(code) : QStringLiteral("errore di lettura dal disco");
        return Found::Unreadable;
    }

    QString m_path;
    QString m_reason;
};

} // namespace

std::unique_ptr<JournalFile> nativeJournalFile(const QString &path)
{
    return std::make_unique<NativeJournalFile>(path);
}
