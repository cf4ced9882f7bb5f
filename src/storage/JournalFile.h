#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// The file beside the store that holds a save's journal while the save is under way. The store
// works only through this, so that tests can put a disk that loses power at a chosen moment in
// place of the real one.
class JournalFile
{
public:
    enum class Found { None, Journal, Unreadable };

    virtual ~JournalFile();
    virtual Found read(QByteArray *contents) = 0;
    // Replaces the journal by `contents` and returns once both its bytes and its name are on
    // the disk.
    virtual bool write(const QByteArray &contents) = 0;
    // True when no journal is left, also when there was none.
    virtual bool remove() = 0;
    // Italian text of the last failure, and the file's name, for a message to the user.
    virtual QString errorReason() const = 0;
    virtual QString name() const = 0;
};

// "rubri.dat-journal" beside the store "rubri.dat".
QString journalPathFor(const QString &storePath);

// The journal as the operating system keeps it.
std::unique_ptr<JournalFile> nativeJournalFile(const QString &path);
