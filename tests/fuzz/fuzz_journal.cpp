// Arbitrary bytes as the journal found beside a store at start: opening never fails, touches
// nothing outside the one save's range, leaves no journal, and a journal the reader takes is
// exactly what the writer makes of it.
#include "storage/SaveJournal.h"
#include "storage/SheetStore.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

struct MemoryStore : RecordFile
{
    explicit MemoryStore(QByteArray *file) : bytes(file) {}
    bool readAt(qint64 offset, char *data, qint64 size, qint64 *got) override
    {
        const QByteArray part = bytes->mid(offset, size);
        *got = std::copy(part.begin(), part.end(), data) - data;
        return true;
    }
    bool writeAt(qint64 offset, const char *data, qint64 size) override
    {
        *bytes = bytes->leftJustified(offset + size, '\0').replace(offset, size, QByteArray(data, size));
        return true;
    }
    bool flush() override { return true; }
    qint64 size() override { return bytes->size(); }
    bool resize(qint64 size) override { return bytes->resize(size), true; }
    QString errorReason() const override { return QStringLiteral("errore"); }
    QByteArray *bytes;
};

struct MemoryJournal : JournalFile
{
    explicit MemoryJournal(const QByteArray &contents) : bytes(contents) {}
    Found read(QByteArray *contents) override { return *contents = bytes, exists ? Found::Journal : Found::None; }
    bool write(const QByteArray &contents) override { return bytes = contents, exists = true; }
    bool remove() override { return !(exists = false); }
    QString errorReason() const override { return QStringLiteral("errore"); }
    QString name() const override { return QStringLiteral("rubri.dat-journal"); }
    QByteArray bytes;
    bool exists = true;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // An odd first byte seals the rest with its checksum, so that what the reader checks after
    // the checksum is reached as well.
    QByteArray input(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size - 1));
    if (data[0] & 1)
        input += SaveJournal::digest(input);
    const std::optional<SaveJournal> journal = SaveJournal::decode(input);
    require(!journal || journal->encode() == input);

    QByteArray store(StoreSize, 'S');
    auto file = std::make_unique<MemoryJournal>(input);
    MemoryJournal *left = file.get();
    SheetStore opened;
    require(opened.open(std::make_unique<MemoryStore>(&store), QStringLiteral("rubri.dat"), std::move(file)));
    const StoreRecovery &recovery = opened.recovery();
    require(recovery.outcome != StoreRecovery::Failed);
    require(!left->exists);
    require((recovery.outcome == StoreRecovery::Nothing) == !journal);
    if (!journal)
        require(store == QByteArray(StoreSize, 'S'));
    else {
        require(recovery.sheet == journal->sheet);
        // Before the save's range and after the old size, nothing changed.
        require(store.left(journal->writtenStart) == QByteArray(journal->writtenStart, 'S'));
        require(store.size() == (recovery.outcome == StoreRecovery::PutBack ? std::min(StoreSize, journal->oldFileSize) : StoreSize));
        if (recovery.outcome == StoreRecovery::PutBack)
            require(store.mid(journal->writtenStart, journal->oldBytes.size()) == journal->oldBytes);
    }
    return 0;
}
