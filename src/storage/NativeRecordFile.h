#pragma once

#include "storage/RecordFile.h"

#include <QString>

#include <memory>

// The store file as the operating system gives it: opened for reading and writing, never
// created or truncated, and locked against writers in other programs while it is open. On
// Windows it cannot be deleted or renamed while open either; elsewhere locationAt() tells.
class NativeRecordFile final : public RecordFile
{
public:
    // nullptr on failure, with the Italian reason in `*reason`. A file that another program
    // holds locked is refused.
    static std::unique_ptr<NativeRecordFile> open(const QString &path, QString *reason);
    ~NativeRecordFile() override;

    NativeRecordFile(const NativeRecordFile &) = delete;
    NativeRecordFile &operator=(const NativeRecordFile &) = delete;

    bool readAt(qint64 offset, char *data, qint64 size, qint64 *got) override;
    bool writeAt(qint64 offset, const char *data, qint64 size) override;
    bool flush() override;
    qint64 size() override;
    bool resize(qint64 size) override;
    QString errorReason() const override;
    StoreLocation locationAt(const QString &path) override;

private:
#ifdef Q_OS_WIN
    using Handle = void *; // win32::FileHandle, without pulling windows.h into every includer
#else
    using Handle = int;
#endif
    explicit NativeRecordFile(Handle handle);
    bool failWithLastError();

    Handle m_handle;
    QString m_errorReason;
};
